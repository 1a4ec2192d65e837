#pragma once

#include "engine/core/CodeRec.h"
#include "engine/shrink/ShrinkInput.h"
#include "engine/shrink/ShrinkRun.h"
#include "ui/ExportDialog.h"

#include <QHash>
#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;
class QToolBar;
class QToolButton;
class TMultiChk;
class TMultiRadio;
class TBacktestSheet;
class TWheelSheet;
class QMenu;

// The shrink panel: the candidate numbers and filter conditions on three sheets, the result memo
// on the fourth, and the tool bar that resets, runs, views, exports, checks and prints.
class TShrinkPanel : public QWidget {
    Q_OBJECT
  public:
    TShrinkPanel(const TCodeArr& history, QWidget* parent = nullptr);

    // What the condition widgets hold now.
    ShrinkInput readInput() const;
    // Puts every condition of in into the widgets, the hit rows included.
    void writeInput(const ShrinkInput& in);

    // Shows the game's candidates and conditions; each game keeps its own while the program runs.
    void setGame(const Game& game);
    const Game& game() const { return *m_game; }
    // The back numbers ticked for a game of two backs (empty for the two-colour ball).
    std::vector<int> checkedBacks() const;

    // Standard dialogs, replaceable so that tests can answer them. The input box returns the typed
    // text (empty when cancelled).
    using InputBox = std::function<QString(QWidget* parent, const QString& caption)>;
    void setSaveFileChooser(SaveFileChooser chooser) { m_saveName = std::move(chooser); }
    void setInputBox(InputBox box) { m_inputBox = std::move(box); }
    // The condition-set file dialog (save or open); empty when cancelled.
    using ConditionFileDialog = std::function<QString(QWidget* parent, bool save)>;
    void setConditionFileDialog(ConditionFileDialog dialog) { m_conditionFile = std::move(dialog); }
    // A yes/no question; true for yes.
    using QuestionBox = std::function<bool(QWidget* parent, const QString& text)>;
    void setQuestionBox(QuestionBox box) { m_question = std::move(box); }

    QToolBar* RcmPanelTbr = nullptr;
    QToolButton* RcmPanelClearBt = nullptr;
    QToolButton* RcmPanelExportBt = nullptr;
    QToolButton* RcmPanelCheckBt = nullptr;
    QToolButton* RcmPanelPrintBt = nullptr;
    QToolButton* RcmPanelScaleBt = nullptr;
    QToolButton* RcmPanelViewCodeBt = nullptr;
    QSpinBox* RcmPanelToleranceSe = nullptr;
    QToolButton* RcmPanelSaveCondBt = nullptr;
    QToolButton* RcmPanelLoadCondBt = nullptr;
    // Brings back the conditions as they were before the last 清除条件 (Ctrl+Z on the panel, and
    // the menu of 清除条件).
    QAction* RcmPanelUndoClearAct = nullptr;

    QTabWidget* RcmPctl = nullptr;
    QWidget* RcmSheet1 = nullptr;
    QWidget* RcmSheet2 = nullptr;
    QWidget* RcmSheet3 = nullptr;
    QWidget* RcmSheet4 = nullptr;
    TBacktestSheet* RcmSheet5 = nullptr;

    QGroupBox* RcmSheet1Gbx1 = nullptr;
    TMultiChk* RcmSheet1CodeChk = nullptr;
    // The back numbers every pair of which follows each front ticket (games of two backs only).
    TMultiChk* RcmSheet1BackChk = nullptr;
    QWidget* RcmSheet1Panel = nullptr;
    QGroupBox* RcmSheet1Gbx2 = nullptr;
    QSpinBox* SumSe1 = nullptr;
    QSpinBox* SumSe2 = nullptr;
    QLineEdit* SumExEd = nullptr;
    TMultiChk* RcmSheet1RatioChk = nullptr;
    QLabel* SameCountLbl = nullptr;
    TMultiChk* RcmSheet1CountChk = nullptr;
    TMultiRadio* RcmSheet1LinkRadio = nullptr;
    TMultiChk* RcmSheet1LinkChk = nullptr;

    QGroupBox* RcmSheet2Gbx1 = nullptr;
    QSpinBox* RcmSheet2Gbx1AddSe1 = nullptr;
    QSpinBox* RcmSheet2Gbx1AddSe2 = nullptr;
    QLineEdit* RcmSheet2Gbx1AddEd = nullptr;
    QLineEdit* CodeExcEd = nullptr;
    QLineEdit* CodeIncEd = nullptr;
    TMultiChk* RcmSheet2RatioChk = nullptr;

    QGroupBox* RcmSheet3Gbx1 = nullptr;
    QSpinBox* MaxCodeSe = nullptr;
    QSpinBox* MinCodeSe = nullptr;
    QComboBox* CbbSpan1 = nullptr;
    QComboBox* CbbSpan2 = nullptr;
    QComboBox* Cbb11 = nullptr;
    QComboBox* Cbb22 = nullptr;
    QComboBox* Cbb33 = nullptr;
    QComboBox* Cbbmod0 = nullptr;
    QComboBox* Cbbmod1 = nullptr;
    QComboBox* Cbbmod2 = nullptr;
    QComboBox* CbbAc1 = nullptr;
    QComboBox* CbbAc2 = nullptr;
    std::array<QLineEdit*, 4> RcmSheet3RangeEdit{};
    std::array<TMultiChk*, 4> RcmSheet3RangeChk{};

    QPlainTextEdit* RcmMemo = nullptr;
    // The result sheet holds the memo and, beside it, the wheels.
    QTabWidget* RcmResultTabs = nullptr;
    TWheelSheet* RcmWheelSheet = nullptr;
    // One-click selections of the candidate matrix (全选, 奇, 一区 ...).
    QToolButton* RcmSheet1PickBt = nullptr;

  public slots:
    void RcmPanelClearBtClick();
    void RcmPanelUndoClearActClick();
    void RcmPanelScaleBtClick();
    void RcmPanelViewCodeBtClick();
    void RcmPanelExportBtClick();
    void RcmPanelCheckBtClick();
    void RcmPanelPrintBtClick();
    void RcmPanelSaveCondBtClick();
    void RcmPanelLoadCondBtClick();
    void RcmSheet1Show();
    void RcmSheet1Resize();

  signals:
    void statusText(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* addButton(const QString& name, const QString& caption, void (TShrinkPanel::*slot)());
    void buildSheet1();
    void buildSheet2();
    void buildSheet3();
    void addCandidatePicks();
    void rebuildSheets();

    const TCodeArr& History;
    // What the run reads: pending spin-edit typing is taken as typed.
    ShrinkInput readTypedInput();

    SaveFileChooser m_saveName;
    InputBox m_inputBox;
    ConditionFileDialog m_conditionFile;
    QuestionBox m_question;
    // Every ticket of the last run when there were more than the memo lists, for 导出结果.
    ShrinkResult m_fullResult;
    // The conditions 清除条件 replaced.
    ShrinkInput m_beforeClear;
    const Game* m_game = &Game::ssq();
    // What the other games' panels held when the game was switched.
    struct GameState {
        ShrinkInput input;
        std::vector<int> backs;
        QString memo;
    };
    QHash<QString, GameState> m_otherGames;
};
