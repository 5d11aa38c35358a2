#include "controls/GraphButton/GraphButton.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <array>

using controls::resolveColour;

namespace {

// Below this size [pixels] a button would have no room for its bevel; it snaps back to it.
constexpr int kMinimumSidePx = 10;
// Side of the square picture of PictureSize modes 0 to 3 [pixels].
constexpr std::array<int, 4> kPictureSides{16, 24, 32, 48};
// Picture size of mode 4 when there is no picture to take the size from [pixels].
constexpr int kOwnSizeFallbackPx = 32;
// Size of a platform push button, the least a button asks of a layout [pixels].
constexpr QSize kSmallestHint(75, 25);
// The bevel drawn over the edge of the surface [pixels].
constexpr int kBevelPx = 2;
// Word-wrapped captions are measured in a box this tall, which no caption fills [pixels].
constexpr int kMeasureHeightPx = 10000;
constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

/// The window a control belongs to: its top-level window, or the form inside a document
/// window of the main window's document area.
QWidget* formOf(QWidget* control)
{
    QWidget* form = control;
    while (!form->isWindow()) {
        QWidget* parent = form->parentWidget();
        if (parent == nullptr || qobject_cast<QMdiSubWindow*>(parent) != nullptr)
            break;
        form = parent;
    }
    return form;
}

} // namespace

GraphButton::GraphButton(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    keepCaptionRoom();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphButton::setCaption(const QString& caption)
{
    m_caption = caption;
    keepCaptionRoom();
    updateGeometry();
    update();
}

void GraphButton::keepCaptionRoom()
{
    // Bounds that differ from the ones set here were set by the owner since (a fixed size, a
    // least size of its own): they are kept, widened to the caption where they cut it.
    if (minimumSize() != m_minimumSet)
        m_ownerMinimum = minimumSize();
    if (maximumSize() != m_maximumSet)
        m_ownerMaximum = maximumSize();
    QSize least = m_ownerMinimum.expandedTo(QSize(kMinimumSidePx, kMinimumSidePx));
    if (!m_caption.isEmpty())
        least = least.expandedTo(wholeCaptionSize(m_caption));
    m_minimumSet = least;
    m_maximumSet = m_ownerMaximum.expandedTo(least);
    setMaximumSize(m_maximumSet);
    setMinimumSize(m_minimumSet);
}

void GraphButton::setPicturePosition(int position)
{
    m_picturePosition = position;
    updateGeometry();
    update();
}

void GraphButton::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    if (m_pictureSizeMode == kPictureOwnSize)
        setPictureSize(kPictureOwnSize);
    updateGeometry();
    update();
}

void GraphButton::setPictureWidth(int width)
{
    m_pictureWidth = width;
    updateGeometry();
    update();
}

void GraphButton::setPictureHeight(int height)
{
    m_pictureHeight = height;
    updateGeometry();
    update();
}

void GraphButton::setPictureSize(int mode)
{
    m_pictureSizeMode = mode;
    if (mode >= kPicture16 && mode <= kPicture48) {
        m_pictureWidth = kPictureSides[static_cast<std::size_t>(mode)];
        m_pictureHeight = m_pictureWidth;
    } else if (mode == kPictureOwnSize) {
        const QSize own = m_picture.isNull()
                              ? QSize(kOwnSizeFallbackPx, kOwnSizeFallbackPx)
                              : m_picture.deviceIndependentSize().toSize();
        m_pictureWidth = own.width();
        m_pictureHeight = own.height();
    }
    updateGeometry();
    update();
}

void GraphButton::setForeColor(quint32 colour)
{
    m_foreColour = colour;
    update();
}

void GraphButton::setBackColor(quint32 colour)
{
    m_backColour = colour;
    update();
}

void GraphButton::setDefault(bool isDefault)
{
    m_default = isDefault;
    watchForm();
    update();
}

void GraphButton::setCancel(bool isCancel)
{
    m_cancel = isCancel;
    watchForm();
}

void GraphButton::watchForm()
{
    QWidget* form = (m_default || m_cancel) ? formOf(this) : nullptr;
    if (form == m_form)
        return;
    if (m_form != nullptr)
        m_form->removeEventFilter(this);
    m_form = form;
    if (m_form != nullptr && m_form != this)
        m_form->installEventFilter(this);
}

bool GraphButton::eventFilter(QObject* watched, QEvent* event)
{
    // Enter and Esc reach the form only when the control with the focus left them alone: an
    // open drop-down list or a table cell being edited takes them first, as in a dialog.
    if (watched != m_form || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* press = static_cast<QKeyEvent*>(event);
    const int key = press->key();
    const Qt::KeyboardModifiers modifiers = press->modifiers();
    const bool plain = modifiers == Qt::NoModifier
                       || (modifiers == Qt::KeypadModifier && key == Qt::Key_Enter);
    const bool mine = (m_default && isEnterKey(key)) || (m_cancel && key == Qt::Key_Escape);
    if (!plain || !mine || !isVisible())
        return false;
    if (isEnabled())
        emit Click();
    return true;
}

QSize GraphButton::sizeHint() const
{
    const QSize text = m_caption.isEmpty() ? QSize() : measureCaption(QWIDGETSIZE_MAX / 2);
    QSize content = text;
    if (!m_picture.isNull()) {
        const QSize picture(m_pictureWidth, m_pictureHeight);
        if (text.isEmpty())
            content = picture;
        else if (m_picturePosition == controls::kPictureAbove
                 || m_picturePosition == controls::kPictureBelow)
            content = QSize(std::max(text.width(), picture.width()),
                            text.height() + controls::kGraphButtonPictureGap + picture.height());
        else
            content = QSize(text.width() + controls::kGraphButtonPictureGap + picture.width(),
                            std::max(text.height(), picture.height()));
    }
    const int inset = 2 * controls::kGraphButtonContentInset;
    return QSize(content.width() + inset, content.height() + inset).expandedTo(kSmallestHint);
}

int GraphButton::textMargin() const
{
    // The caption keeps one average character width free on either side.
    return QFontMetrics(font()).averageCharWidth();
}

QSize GraphButton::measureCaption(const QString& caption, int contentWidth) const
{
    const QFontMetrics metrics(font());
    const int margin = textMargin();
    const int wrapWidth = std::max(contentWidth - 2 * margin, 1);
    const QRect bounds = metrics.boundingRect(QRect(0, 0, wrapWidth, kMeasureHeightPx),
                                              kCaptionFlags, caption);
    return QSize(bounds.width() + 2 * margin, bounds.height());
}

QSize GraphButton::wholeCaptionSize(const QString& caption) const
{
    const QSize line = measureCaption(caption, QWIDGETSIZE_MAX / 2);
    const int margins = 2 * textMargin();
    // A caption without a break fits with its margins cut into; one with a break wraps there
    // unless the margins fit too.
    int content = line.width() - margins;
    while (content < line.width() && measureCaption(caption, content).height() > line.height())
        ++content;
    const int inset = 2 * controls::kGraphButtonContentInset;
    return QSize(content + inset, line.height() + 2 * kBevelPx);
}

bool GraphButton::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show) {
        watchForm();
        if (event->type() == QEvent::Show)
            keepCaptionRoom(); // bounds the owner set after the caption
    } else if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        keepCaptionRoom();
    } else if (event->type() == QEvent::ShortcutOverride) {
        // A focused button takes Enter and Space itself, before any shortcut of the window.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (isEnterKey(key) || key == Qt::Key_Space) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void GraphButton::keyPressEvent(QKeyEvent* event)
{
    const QPointer<GraphButton> alive(this);
    const int key = event->key();
    if (!m_keyLatch) {
        m_keyLatch = true;
        if (isEnterKey(key)) {
            emit Click();
        } else if (key == Qt::Key_Space) {
            m_pressed = true;
            update();
            emit Click();
        }
        if (!alive)
            return;
    }
    emit KeyDown(key, event->modifiers());
    if (alive && !event->text().isEmpty())
        emit KeyPress(event->text());
    if (alive && !isEnterKey(key) && key != Qt::Key_Space)
        QWidget::keyPressEvent(event); // Esc, arrows and the like still reach the window
}

void GraphButton::keyReleaseEvent(QKeyEvent* event)
{
    // The window system repeats a held key as release/press pairs; the key is still down.
    if (event->isAutoRepeat())
        return;
    if (event->key() == Qt::Key_Space) {
        m_pressed = false;
        update();
    }
    m_keyLatch = false;
    emit KeyUp(event->key(), event->modifiers());
}

void GraphButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        m_pressed = true;
        update();
    }
    emit MouseDown(event->button(), event->modifiers(), event->position());
}

void GraphButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointer<GraphButton> alive(this);
    const QPointF at = event->position();
    m_pressed = false;
    if (event->button() != Qt::RightButton) {
        update();
        if (at.x() >= 0 && at.x() < width() && at.y() >= 0 && at.y() < height())
            emit Click();
    }
    if (alive)
        emit MouseUp(event->button(), event->modifiers(), at);
}

void GraphButton::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void GraphButton::focusOutEvent(QFocusEvent* event)
{
    m_pressed = false;
    // The key that set the latch is released elsewhere; keep the next key here working.
    m_keyLatch = false;
    update();
    QWidget::focusOutEvent(event);
}

void GraphButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), resolveColour(m_backColour, palette()));
    const QRect content = controls::graphButtonContent(size());
    const QSize caption = m_caption.isEmpty() ? QSize() : measureCaption(content.width());
    m_layout = controls::layoutGraphButton(size(), !m_picture.isNull(),
                                           QSize(m_pictureWidth, m_pictureHeight), caption,
                                           m_picturePosition, m_layout);
    drawPicture(painter);
    if (hasFocus())
        drawFocus(painter);
    drawCaption(painter);
    drawFrame(painter);
}

void GraphButton::drawPicture(QPainter& painter) const
{
    if (m_picture.isNull())
        return;
    QPixmap shown = m_picture;
    if (!isEnabled()) {
        QStyleOption option;
        option.initFrom(this);
        shown = style()->generatedIconPixmap(QIcon::Disabled, m_picture, &option);
    }
    const QRect target = m_pressed ? m_layout.picture.translated(1, 1) : m_layout.picture;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, shown);
    painter.restore();
}

void GraphButton::drawCaption(QPainter& painter) const
{
    if (m_caption.isEmpty())
        return;
    const int margin = textMargin();
    QRect box = m_layout.caption.adjusted(margin, 0, -margin, 0);
    if (m_pressed)
        box.translate(1, 1);
    painter.save();
    if (isEnabled()) {
        painter.setPen(resolveColour(m_foreColour, palette()));
        painter.drawText(box, kCaptionFlags, m_caption);
    } else {
        // Embossed: a highlight copy one pixel down-right under a shadow copy.
        painter.setPen(resolveColour(controls::kButtonHighlight, palette()));
        painter.drawText(box.translated(1, 1), kCaptionFlags, m_caption);
        painter.setPen(resolveColour(controls::kButtonShadow, palette()));
        painter.drawText(box, kCaptionFlags, m_caption);
    }
    painter.restore();
}

void GraphButton::drawFocus(QPainter& painter) const
{
    painter.save();
    QPen dotted(resolveColour(controls::kButtonText, palette()), 1, Qt::CustomDashLine);
    dotted.setDashPattern({1.0, 1.0});
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    // Three pixels in from every edge, inside the bevel.
    painter.drawRect(3, 3, width() - 7, height() - 7);
    painter.restore();
}

void GraphButton::drawFrame(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const QColor shadow = resolveColour(controls::kButtonShadow, palette());
    const QColor highlight = resolveColour(controls::kButtonHighlight, palette());
    const QColor dark = resolveColour(controls::kDarkShadow3D, palette());
    const QColor light = resolveColour(controls::kLight3D, palette());
    // Outline through both corners; parts outside the surface are clipped. Later outlines
    // paint over earlier ones, so the order below makes the bevel.
    const auto outline = [&painter](int x1, int y1, int x2, int y2, const QColor& colour) {
        painter.setPen(colour);
        painter.drawRect(x1, y1, x2 - x1, y2 - y1);
    };
    painter.save();
    painter.setBrush(Qt::NoBrush);
    if (m_pressed) {
        outline(1, 1, w - 1, h - 1, shadow);
        outline(0, 0, w, h, dark);
        outline(-1, -1, w - 1, h - 1, dark);
    }
    if (!m_pressed || m_default) {
        outline(0, 0, w - 2, h - 2, shadow);
        outline(1, 1, w - 2, h - 2, shadow);
        outline(0, 0, w, h, highlight);
        outline(1, 1, w, h, light);
        outline(-1, -1, w - 1, h - 1, dark);
    }
    if (!m_pressed && hasFocus()) {
        outline(0, 0, w - 2, h - 2, dark);
        outline(1, 1, w, h, highlight);
        outline(-1, -1, w - 1, h - 1, dark);
    }
    painter.restore();
}

void fixButtonSize(GraphButton& button, QSize least, const QString& widestCaption)
{
    const QString& caption = widestCaption.isEmpty() ? button.Caption() : widestCaption;
    button.setFixedSize(least.expandedTo(button.wholeCaptionSize(caption)));
}
