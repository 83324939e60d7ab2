#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TForm2;
}

namespace velmora {

// What the phone said about itself when it last connected, in edits that can
// be selected and copied but not changed.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    struct Identity {
        QString manufacturer, model, revision, imsi, serviceCentre;
    };

    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // The values of the last successful connect; shown at every activation.
    void setIdentity(const Identity& identity);

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void FormActivate();
    void txtManufactureChange();
    void txtModelChange();
    void txtRevisionChange();
    void txtIMSIChange();
    void txtSCNoChange();
    void btnOKClick();

private:
    std::unique_ptr<Ui::TForm2> m_ui;
    Identity m_identity;
};

} // namespace velmora
