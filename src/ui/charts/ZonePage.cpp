#include "ui/charts/ZonePage.h"

#include "engine/charts/ZoneChart.h"

#include <QLabel>
#include <QVBoxLayout>

TZonePage::TZonePage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 2, parent) {
    m_notePanel = new QWidget(body());
    m_notePanel->setObjectName(QStringLiteral("ExTabSheet2NotePanel"));
    m_note = new QLabel(m_notePanel);
    m_note->setObjectName(QStringLiteral("ExTabSheet2Note"));
    m_note->move(55, 2);
    showNote();
    bodyLayout()->addWidget(m_notePanel);
}

void TZonePage::showNote() {
    m_note->setText(ZoneChartNoteText(game()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_note->adjustSize();
    // At least 30 pixels, and tall enough that the font in use does not clip the second line.
    m_notePanel->setFixedHeight(std::max(30, m_note->height() + 4));
}

void TZonePage::gameChanged(const Game&) {
    showNote();
}
