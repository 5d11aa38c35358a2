#include "worldmap/frmChannel.h"

#include "worldmap/TrackRows.h"
#include "worldmap/frmTrack.h"

#include "common/options.h"
#include "common/satellite_slots.h"
#include "controls/GraphButton/GraphButton.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"
#include "services/mReg.h"
#include "tracking/OptionsStore.h"
#include "tracking/TrackingModel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace {

/// Draws a list line as two columns: the text before its TAB where the line starts and the
/// text after it under the left edge of the uplink heading (a list box draws no TAB stops).
class ChannelColumns final : public QStyledItemDelegate
{
public:
    ChannelColumns(QListWidget* list, QLabel* heading)
        : QStyledItemDelegate(list), m_list(list), m_heading(heading)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString text = item.text;
        const qsizetype tab = text.indexOf(u'\t');
        if (tab < 0) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
        const int second = std::max(
            area.left() + item.fontMetrics.horizontalAdvance(text.left(tab) + u' '),
            m_list->viewport()->mapFrom(m_heading->parentWidget(), m_heading->pos()).x());
        painter->save();
        painter->setFont(item.font);
        const bool selected = (item.state & QStyle::State_Selected) != 0;
        painter->setPen(item.palette.color(QPalette::Normal,
                                           selected ? QPalette::HighlightedText : QPalette::Text));
        const int flags = static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine);
        painter->drawText(area, flags, text.left(tab));
        painter->drawText(area.adjusted(second - area.left(), 0, 0, 0), flags, text.mid(tab + 1));
        painter->restore();
    }

private:
    QListWidget* m_list;
    QLabel* m_heading;
};

} // namespace

frmChannel::frmChannel(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmChannel"));
    lblDownlink = new QLabel(this);
    lblDownlink->setObjectName(QStringLiteral("lblDownlink"));
    lblUplink = new QLabel(this);
    lblUplink->setObjectName(QStringLiteral("lblUplink"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    QFont fixed = List1->font();
    fixed.setFamily(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    List1->setFont(fixed);
    List1->setMinimumSize(260, 10 * List1->fontMetrics().height() + 12);
    List1->setItemDelegate(new ChannelColumns(List1, lblUplink));
    cmdOK = new GraphButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setFixedSize(90, 26);
    // Enter in the list chooses its line, Esc leaves it, as in the program's other dialogs.
    cmdOK->setDefault(true);
    cmdCancel = new GraphButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setFixedSize(90, 26);
    cmdCancel->setCancel(true);

    auto* headings = new QHBoxLayout();
    headings->addSpacing(24);
    headings->addWidget(lblDownlink);
    headings->addStretch();
    headings->addWidget(lblUplink);
    headings->addSpacing(24);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(headings);
    layout->addWidget(List1);
    layout->addLayout(buttons);

    connect(cmdOK, &GraphButton::Click, this, &frmChannel::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmChannel::cmdCancel_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmChannel::cmdOK_Click);
    Imposta_lingua();
}

void frmChannel::Imposta_lingua()
{
    using mLang::Testo_lingua;
    setWindowTitle(Testo_lingua(u"frmChannel", u"selezionecanale"));
    lblDownlink->setText(Testo_lingua(u"frmChannel", u"downlink"));
    lblUplink->setText(Testo_lingua(u"frmChannel", u"uplink"));
    cmdOK->setCaption(Testo_lingua(u"Buttons", u"ok"));
    cmdCancel->setCaption(Testo_lingua(u"Buttons", u"cancel"));
}

void frmChannel::fillList()
{
    List1->clear();
    const bool slot = gintNumeroSatellite >= 1 && gintNumeroSatellite <= kLastSlot;
    static const Elemento_satellite none{};
    List1->addItems(channelLines(slot ? Satelement[gintNumeroSatellite] : none));
    List1->setCurrentRow(gintCanaleFrequenza - 1);
}

void frmChannel::chooseFor(int row, int slot, int channel)
{
    gintIndicePulsante = row;
    gintNumeroSatellite = slot;
    gintCanaleFrequenza = channel;
    // A second row's button while the chooser is open lists that row's satellite.
    fillList();
    show();
    raise();
    activateWindow();
}

void frmChannel::cmdOK_Click()
{
    const int channel = List1->currentRow() + 1;
    const int row = gintIndicePulsante;
    if (channel < 1 || channel > kRadioChannels || row < 0 || row >= kTrackRows) {
        WindowRegistry::instance().unload(this);
        return;
    }
    Impostazioni.Canale_selezionato[static_cast<std::size_t>(row)] =
        static_cast<std::int16_t>(channel);
    // Kept at once, so that the choice survives however the program ends.
    const mReg::RegistryStatus stored =
        mReg::Scrivi_registro(u"Quorvanel", u"Radio", QStringLiteral("Canale%1").arg(row + 1),
                              QString::number(channel));
    // A stored choice is no unsaved change of the options.
    if (stored.ok())
        Impostazioni_salvate.Canale_selezionato[static_cast<std::size_t>(row)] =
            static_cast<std::int16_t>(channel);
    // The table shows the choice when it is open; a closed table is not opened again.
    if (auto* table = qobject_cast<frmTrack*>(
            WindowRegistry::instance().find(QStringLiteral("frmTrack"))))
        table->setRowChannel(row, channel);
    // The first row's channel is also that of the principal's data boxes.
    if (row == 0)
        TrackingModel::instance().notifyPrincipalChannelChanged();
    if (!stored.ok())
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             mLang::Testo_lingua(u"frmChannel", u"nonsalvato") +
                                 QStringLiteral("\n") + optionsStoreFailureReason(stored));
    WindowRegistry::instance().unload(this);
}

void frmChannel::cmdCancel_Click()
{
    WindowRegistry::instance().unload(this);
}
