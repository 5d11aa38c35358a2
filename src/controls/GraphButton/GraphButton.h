#pragma once
// Owner-drawn picture push button of the dialogs: a caption, an optional picture beside, above
// or below it, a two-pixel 3-D bevel that sinks while the button is held, a focus rectangle and
// an embossed look when disabled. The platform's own properties (enabled state, font, mouse
// pointer, window handle) are those of QWidget.

#include "controls/GraphButton/GraphButtonLayout.h"
#include "controls/SystemColour.h"

#include <QPixmap>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWidget>

class GraphButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int PicturePosition READ PicturePosition WRITE setPicturePosition)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int PictureWidth READ PictureWidth WRITE setPictureWidth)
    Q_PROPERTY(int PictureHeight READ PictureHeight WRITE setPictureHeight)
    Q_PROPERTY(int PictureSize READ PictureSize WRITE setPictureSize)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool Default READ Default WRITE setDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel)

public:
    /// Values of PictureSize: 16, 24, 32 or 48 pixels square, or the picture's own size.
    enum PictureSizeMode : int {
        kPicture16 = 0,
        kPicture24 = 1,
        kPicture32 = 2,
        kPicture48 = 3,
        kPictureOwnSize = 4,
    };

    explicit GraphButton(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    /// 0 above, 1 left of, 2 right of, 3 below the caption; taken without a range test.
    int PicturePosition() const { return m_picturePosition; }
    void setPicturePosition(int position);

    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);

    /// Size the picture is stretched to [pixels]; taken without a range test.
    int PictureWidth() const { return m_pictureWidth; }
    void setPictureWidth(int width);
    int PictureHeight() const { return m_pictureHeight; }
    void setPictureHeight(int height);

    /// A PictureSizeMode; another value is kept but leaves the picture size as it is.
    int PictureSize() const { return m_pictureSizeMode; }
    void setPictureSize(int mode);

    /// Colours as RGB with red in the low byte or as system colours (controls::resolveColour).
    quint32 ForeColor() const { return m_foreColour; }
    void setForeColor(quint32 colour);
    quint32 BackColor() const { return m_backColour; }
    void setBackColor(quint32 colour);

    /// The window's default button: Enter in the window clicks it when the control with the
    /// focus does not use the key itself (an open drop-down list, a cell being edited, another
    /// focused button); a pressed default button keeps its raised bevel.
    bool Default() const { return m_default; }
    void setDefault(bool isDefault);
    /// The window's cancel button: Esc in the window clicks it when the control with the focus
    /// does not use the key itself.
    bool Cancel() const { return m_cancel; }
    void setCancel(bool isCancel);

    QSize sizeHint() const override;
    /// The least size at which `caption` is drawn whole in the button's font: on one line as
    /// the painting wraps it, inside the content, within the bevel. A size fixed for a button
    /// is never below this for its widest caption.
    [[nodiscard]] QSize wholeCaptionSize(const QString& caption) const;

signals:
    void Click();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void KeyPress(const QString& text);
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QSize measureCaption(int contentWidth) const { return measureCaption(m_caption, contentWidth); }
    QSize measureCaption(const QString& caption, int contentWidth) const;
    int textMargin() const;
    void drawPicture(QPainter& painter) const;
    void drawCaption(QPainter& painter) const;
    void drawFocus(QPainter& painter) const;
    void drawFrame(QPainter& painter) const;
    void watchForm();
    /// Keeps the button's least size at what its caption needs in its font (and at least
    /// kMinimumSidePx square), over whatever bounds its owner set, so no layout squeezes it.
    void keepCaptionRoom();

    QString m_caption;
    int m_picturePosition = controls::kPictureLeft;
    QPixmap m_picture;
    int m_pictureWidth = 16;
    int m_pictureHeight = 16;
    int m_pictureSizeMode = kPicture16;
    quint32 m_foreColour = controls::kButtonText;
    quint32 m_backColour = controls::kButtonFace;
    bool m_default = false;
    bool m_cancel = false;

    bool m_pressed = false;
    bool m_keyLatch = false;   // a key is down: its repeats do not click again
    controls::GraphButtonLayout m_layout; // kept between paints, see layoutGraphButton
    QPointer<QWidget> m_form;  // the form whose unused Enter / Esc this button takes
    // The owner's own size bounds, and the bounds last set here from them and the caption.
    QSize m_ownerMinimum;
    QSize m_ownerMaximum{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    QSize m_minimumSet;
    QSize m_maximumSet{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
};

/// Fixes the size of `button` at `least`, or larger where `widestCaption` (its own caption when
/// empty) needs more to be drawn whole in the button's font.
void fixButtonSize(GraphButton& button, QSize least, const QString& widestCaption = {});
