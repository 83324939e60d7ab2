#pragma once

#include "PictureConvert.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace velmora {

class PictureCanvas;

// The bitmap of the content tab shown, pixel by pixel, beside the window
// without blocking it: the canvas, its tools, and the threshold and dither
// of a picture converted from a file. The tab's memo and preview are the
// window's; this only says what changed.
class PictureEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit PictureEditorDialog(QWidget* parent = nullptr);

    // The tab's bitmap; `title` names the tab. Forgets the undo steps.
    void setPicture(const QString& title, int width, int height, const std::string& content);
    // No content tab holding a bitmap is shown.
    void setNoPicture(const QString& why);
    // Whether the bitmap came from a picture the threshold converts again.
    void setConvertible(bool convertible);
    ConvertOptions options() const;
    std::string content() const;
    PictureCanvas& canvas() { return *m_canvas; }
    QSlider& threshold() { return *m_threshold; }

signals:
    // The pixels were changed by hand.
    void edited();
    // The threshold or dither changed: convert the picture again.
    void optionsChanged();

private:
    QPushButton* tool(const QString& text, const QString& accessible, const char* name);
    void updateTools();

    PictureCanvas* m_canvas;
    QLabel* m_title;
    QLabel* m_note;
    QSlider* m_threshold;
    QLabel* m_level;
    QCheckBox* m_dither;
    QPushButton* m_undo;
    QList<QPushButton*> m_tools;
    bool m_convertible = false;
};

} // namespace velmora
