#include "TAboutBox.h"

#include "DialogPlacement.h"
#include "Pictures.h"
#include "ui_TAboutBox.h"

namespace velmora {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::TAboutBox>()) {
    m_ui->setupUi(this);
    KeepOnScreen(*this);
    setFixedSize(size());
    m_ui->ProgramIcon->setPixmap(AboutPicture(devicePixelRatioF()));
    m_ui->Panel1->setStyleSheet(
        "#Panel1 { background: white; }"
        "#lblProduct { font-size: 20pt; font-weight: bold; color: #2d3440; }"
        "#lblVersion { color: #2d3440; }"
        "#lblComments { color: #1e9650; font-weight: bold; text-decoration: underline; }"
        "#Band { background: #8a8a3c; border-radius: 10px; }");
    connect(m_ui->OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::OKButtonClick() { accept(); }

} // namespace velmora
