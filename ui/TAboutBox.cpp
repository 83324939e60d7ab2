#include "TAboutBox.h"

#include "DialogPlacement.h"
#include "Pictures.h"
#include "ui_TAboutBox.h"

#include <QLayout>

namespace velmora {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::TAboutBox>()) {
    m_ui->setupUi(this);
    KeepOnScreen(*this);
    m_ui->ProgramIcon->setPixmap(AboutPicture(devicePixelRatioF()));
    m_ui->Panel1->setStyleSheet(
        "#Panel1 { background: white; }"
        "#lblProduct { font-size: 20pt; font-weight: bold; color: #2d3440; }"
        "#lblVersion { color: #2d3440; }"
        "#lblComments { color: #1e9650; font-weight: bold; text-decoration: underline; }"
        "#Band { background: #8a8a3c; border-radius: 10px; }");
    // The size is fixed once the large name has its font: where the system's
    // fonts are wider than the design's, the box grows to hold the name and
    // its version beside it rather than cut them.
    ensurePolished();
    layout()->activate();
    setFixedSize(size().expandedTo(minimumSizeHint()));
    connect(m_ui->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::OKButtonClick() { accept(); }

} // namespace velmora
