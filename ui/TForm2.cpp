#include "TForm2.h"

#include "DialogPlacement.h"
#include "ui_TForm2.h"

#include <QLineEdit>

namespace velmora {

namespace {

// A typed change is replaced by the stored value at once.
void Keep(QLineEdit* edit, const QString& value) {
    if (edit->text() != value)
        edit->setText(value);
}

} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::TForm2>()) {
    m_ui->setupUi(this);
    KeepOnScreen(*this);
    setFixedSize(size());
    m_ui->Panel1->setStyleSheet("#Panel1 { background: #2f8f4e; border-radius: 6px; }"
                                "#Panel1 QLabel { color: white; font-weight: bold; }"
                                "#Panel1 QFrame#Bevel1 { color: #a9d8b6; }");
    connect(m_ui->txtManufacture, &QLineEdit::textChanged, this, &TForm2::txtManufactureChange);
    connect(m_ui->txtModel, &QLineEdit::textChanged, this, &TForm2::txtModelChange);
    connect(m_ui->txtRevision, &QLineEdit::textChanged, this, &TForm2::txtRevisionChange);
    connect(m_ui->txtIMSI, &QLineEdit::textChanged, this, &TForm2::txtIMSIChange);
    connect(m_ui->txtSCNo, &QLineEdit::textChanged, this, &TForm2::txtSCNoChange);
    connect(m_ui->btnOK, &QPushButton::clicked, this, &TForm2::btnOKClick);
}

TForm2::~TForm2() = default;

void TForm2::setIdentity(const Identity& identity) { m_identity = identity; }

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm2::FormActivate() {
    txtManufactureChange();
    txtModelChange();
    txtRevisionChange();
    txtIMSIChange();
    txtSCNoChange();
    m_ui->btnOK->setFocus();
}

void TForm2::txtManufactureChange() { Keep(m_ui->txtManufacture, m_identity.manufacturer); }
void TForm2::txtModelChange() { Keep(m_ui->txtModel, m_identity.model); }
void TForm2::txtRevisionChange() { Keep(m_ui->txtRevision, m_identity.revision); }
void TForm2::txtIMSIChange() { Keep(m_ui->txtIMSI, m_identity.imsi); }
void TForm2::txtSCNoChange() { Keep(m_ui->txtSCNo, m_identity.serviceCentre); }
void TForm2::btnOKClick() { accept(); }

} // namespace velmora
