#include "ui/charts/ZonePage.h"

#include "engine/charts/ZoneChart.h"

#include <QLabel>
#include <QVBoxLayout>

TZonePage::TZonePage(const TCodeArr& history, QWidget* parent) : TTrendPage(history, 2, parent) {
    auto* panel = new QWidget(body());
    panel->setObjectName(QStringLiteral("ExTabSheet2NotePanel"));
    m_note = new QLabel(
        QString::fromUtf8(ZoneChartNote).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), panel);
    m_note->setObjectName(QStringLiteral("ExTabSheet2Note"));
    m_note->move(55, 2);
    m_note->adjustSize();
    // At least 30 pixels, and tall enough that the font in use does not clip the second line.
    panel->setFixedHeight(std::max(30, m_note->height() + 4));
    bodyLayout()->addWidget(panel);
}
