#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TAboutBox;
}

namespace velmora {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

private slots:
    void OKButtonClick();

private:
    std::unique_ptr<Ui::TAboutBox> m_ui;
};

} // namespace velmora
