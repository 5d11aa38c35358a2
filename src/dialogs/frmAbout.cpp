#include "dialogs/frmAbout.h"

#include "controls/GraphButton/GraphButton.h"
#include "services/mLang.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QUrl>
#include <QVersionNumber>

namespace {

constexpr int kPictureSizePx = 96;
constexpr qreal kTitleScale = 1.6; // title font against the dialog's font
constexpr int kPictureGapPx = 16;

// The program's picture: the Earth with a satellite on an inclined orbit, drawn in a
// 100 x 100 logical square.
QPixmap programPicture(int sizePx, qreal devicePixelRatio)
{
    QPixmap picture(QSize(sizePx, sizePx) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(sizePx / 100.0, sizePx / 100.0);

    QRadialGradient ocean(QPointF(42, 42), 40);
    ocean.setColorAt(0, QColor(90, 160, 230));
    ocean.setColorAt(1, QColor(20, 60, 140));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ocean);
    painter.drawEllipse(QPointF(50, 50), 30, 30);

    painter.translate(50, 50);
    painter.rotate(-25);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(230, 180, 40), 2.5));
    painter.drawEllipse(QPointF(0, 0), 46, 16);

    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(240, 240, 240));
    const QPointF satellite(30, -12);
    painter.drawRect(QRectF(satellite - QPointF(3, 3), QSizeF(6, 6)));
    painter.setBrush(QColor(40, 90, 200));
    painter.drawRect(QRectF(satellite + QPointF(-13, -2), QSizeF(9, 4)));
    painter.drawRect(QRectF(satellite + QPointF(4, -2), QSizeF(9, 4)));
    return picture;
}

} // namespace

frmAbout::frmAbout(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAbout"));
    buildControls();
    connectControls();

    Applica_lingua();
    lblTitle->setText(QGuiApplication::applicationDisplayName());
    lblVersion->setText(mLang::Testo_lingua(u"frmAbout", u"versione") + u' '
                        + versionNumber(QCoreApplication::applicationVersion()));
}

const QString& frmAbout::webAddress()
{
    static const QString address = QStringLiteral("https://www.quorvanel.org/");
    return address;
}

QString frmAbout::versionNumber(const QString& applicationVersion)
{
    const QVersionNumber version = QVersionNumber::fromString(applicationVersion);
    return QStringLiteral("%1.%2.%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion())
        .arg(version.microVersion());
}

void frmAbout::buildControls()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(programPicture(kPictureSizePx, devicePixelRatio()));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * kTitleScale);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    lblInternet = new QLabel(this);
    lblInternet->setObjectName(QStringLiteral("lblInternet"));
    lblInternet->setTextFormat(Qt::RichText);
    lblInternet->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(webAddress().toHtmlEscaped()));
    lblInternet->setTextInteractionFlags(Qt::LinksAccessibleByMouse
                                         | Qt::LinksAccessibleByKeyboard);

    cmdOK = new GraphButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setCancel(true);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addStretch();
    text->addWidget(lblInternet);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(kPictureGapPx);
    layout->addWidget(Image1, 0, 0, Qt::AlignTop);
    layout->addLayout(text, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::connectControls()
{
    connect(cmdOK, &GraphButton::Click, this, &frmAbout::cmdOK_Click);
    connect(lblInternet, &QLabel::linkActivated, this, &frmAbout::lblInternet_linkActivated);
}

void frmAbout::Applica_lingua()
{
    setWindowTitle(mLang::Testo_lingua(u"frmAbout", u"informazioni"));
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::lblInternet_linkActivated(const QString& link)
{
    // The default browser shows the page; whether one is there is the desktop's concern.
    QDesktopServices::openUrl(QUrl(link));
}
