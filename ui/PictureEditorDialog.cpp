#include "PictureEditorDialog.h"

#include "DialogPlacement.h"
#include "PictureCanvas.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace velmora {

PictureEditorDialog::PictureEditorDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("PictureEditorDialog");
    // Below the window, where it covers neither the Screen Appearance nor the
    // memo it edits (the inbox goes to the right, the inspector to the left).
    KeepOnScreen(*this, {Side::Below, Side::Above});
    setWindowTitle(tr("Picture Editor"));
    setModal(false);

    m_title = new QLabel(this);
    m_title->setObjectName("lblPictureTitle");
    m_title->setTextFormat(Qt::PlainText);
    m_canvas = new PictureCanvas(this);

    auto* tools = new QHBoxLayout;
    tools->addWidget(tool(tr("&Clear"), tr("Clear picture"), "btnPictureClear"));
    tools->addWidget(tool(tr("&Invert"), tr("Invert picture"), "btnPictureInvert"));
    tools->addWidget(tool(tr("Left"), tr("Shift left"), "btnShiftLeft"));
    tools->addWidget(tool(tr("Right"), tr("Shift right"), "btnShiftRight"));
    tools->addWidget(tool(tr("Up"), tr("Shift up"), "btnShiftUp"));
    tools->addWidget(tool(tr("Down"), tr("Shift down"), "btnShiftDown"));
    m_undo = tool(tr("&Undo"), tr("Undo"), "btnPictureUndo");
    m_undo->setShortcut(QKeySequence::Undo);
    tools->addWidget(m_undo);
    tools->addStretch();

    auto* levelLabel = new QLabel(tr("&Threshold"), this);
    levelLabel->setObjectName("lblThreshold");
    m_threshold = new QSlider(Qt::Horizontal, this);
    m_threshold->setObjectName("sldThreshold");
    m_threshold->setAccessibleName(tr("Threshold"));
    m_threshold->setRange(0, 255);
    m_threshold->setValue(128);
    m_threshold->setPageStep(16);
    levelLabel->setBuddy(m_threshold);
    m_level = new QLabel("128", this);
    m_level->setObjectName("lblThresholdValue");
    m_level->setAccessibleName(tr("Threshold value"));
    m_level->setMinimumWidth(m_level->fontMetrics().horizontalAdvance("888"));
    m_dither = new QCheckBox(tr("&Dither"), this);
    m_dither->setObjectName("chkDither");
    m_dither->setAccessibleName(tr("Dither"));
    auto* convert = new QHBoxLayout;
    convert->addWidget(levelLabel);
    convert->addWidget(m_threshold, 1);
    convert->addWidget(m_level);
    convert->addWidget(m_dither);

    m_note = new QLabel(this);
    m_note->setObjectName("lblPictureNote");
    m_note->setTextFormat(Qt::PlainText);
    m_note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("btnsPictureEditor");
    buttons->button(QDialogButtonBox::Close)->setObjectName("btnPictureClose");
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(tr("Close"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_canvas, 0, Qt::AlignHCenter);
    layout->addLayout(tools);
    layout->addLayout(convert);
    layout->addWidget(m_note);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto edit = [this](auto change) {
        return [this, change] {
            change(m_canvas->edit());
            m_canvas->changed();
        };
    };
    connect(m_tools[0], &QPushButton::clicked, this, edit([](PixelPicture& p) { p.clear(); }));
    connect(m_tools[1], &QPushButton::clicked, this, edit([](PixelPicture& p) { p.invert(); }));
    connect(m_tools[2], &QPushButton::clicked, this, edit([](PixelPicture& p) { p.shift(Shift::Left); }));
    connect(m_tools[3], &QPushButton::clicked, this, edit([](PixelPicture& p) { p.shift(Shift::Right); }));
    connect(m_tools[4], &QPushButton::clicked, this, edit([](PixelPicture& p) { p.shift(Shift::Up); }));
    connect(m_tools[5], &QPushButton::clicked, this, edit([](PixelPicture& p) { p.shift(Shift::Down); }));
    connect(m_undo, &QPushButton::clicked, this, edit([](PixelPicture& p) { p.undo(); }));
    connect(m_canvas, &PictureCanvas::edited, this, [this] {
        updateTools();
        emit edited();
    });
    connect(m_threshold, &QSlider::valueChanged, this, [this](int level) {
        m_level->setNum(level);
        if (m_convertible)
            emit optionsChanged();
    });
    connect(m_dither, &QCheckBox::toggled, this, [this] {
        if (m_convertible)
            emit optionsChanged();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    setConvertible(false);
}

QPushButton* PictureEditorDialog::tool(const QString& text, const QString& accessible, const char* name) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAccessibleName(accessible);
    button->setAutoDefault(false);
    m_tools << button;
    return button;
}

void PictureEditorDialog::setPicture(const QString& title, int width, int height,
                                     const std::string& content) {
    m_title->setText(tr("%1: %2 × %3 pixels").arg(title, QString::number(width), QString::number(height)));
    m_canvas->setPicture(width, height, content);
    m_canvas->setEnabled(true);
    for (QPushButton* b : m_tools)
        b->setEnabled(true);
    updateTools();
}

void PictureEditorDialog::setNoPicture(const QString& why) {
    m_title->setText(why);
    m_canvas->setEnabled(false);
    for (QPushButton* b : m_tools)
        b->setEnabled(false);
    setConvertible(false);
}

void PictureEditorDialog::setConvertible(bool convertible) {
    m_convertible = convertible;
    m_threshold->setEnabled(convertible);
    m_dither->setEnabled(convertible);
    m_note->setText(convertible
                        ? tr("Converted from a picture file. Moving the threshold or switching Dither "
                             "converts it again and replaces any pixels changed by hand.")
                        : tr("Threshold and Dither convert a picture loaded from a PNG, JPEG, GIF, SVG or "
                             "colour BMP file."));
}

ConvertOptions PictureEditorDialog::options() const { return {m_threshold->value(), m_dither->isChecked()}; }

std::string PictureEditorDialog::content() const { return m_canvas->picture().content(); }

void PictureEditorDialog::updateTools() {
    m_undo->setEnabled(m_canvas->isEnabled() && m_canvas->picture().canUndo());
}

} // namespace velmora
