#pragma once
// Which check mark of the four map menus shows which field of the charts' display options. The
// marks only show the tracking model's records: after every change of a record the main window
// sets each bound mark from its field, and the commands change the fields, never the marks.

#include "mainwindow/MenuTable.h"
#include "tracking/DisplayOptions.h"

#include <span>

/// One check mark bound to a record: ticked when the field is true (false when `inverted`,
/// for the second item of a radio pair), or, for an orientation item, when the record's
/// orientation is `orientation`.
template <class Record> struct MarkBinding
{
    MenuName item;
    bool Record::*field = nullptr;
    bool inverted = false;
    int orientation = -1;

    [[nodiscard]] bool ticked(const Record& record) const
    {
        if constexpr (requires { record.orientamento; }) {
            if (orientation >= 0)
                return static_cast<int>(record.orientamento) == orientation;
        }
        return (record.*field) != inverted;
    }
};

[[nodiscard]] std::span<const MarkBinding<WorldMapDisplay>> worldMapMarks();
[[nodiscard]] std::span<const MarkBinding<LocalSkyDisplay>> localSkyMarks();
[[nodiscard]] std::span<const MarkBinding<GeneralSkyDisplay>> generalSkyMarks();
[[nodiscard]] std::span<const MarkBinding<PassChartDisplay>> passChartMarks();

/// The binding of an item in a table; null when the item has none there.
template <class Record>
[[nodiscard]] const MarkBinding<Record>* findMark(std::span<const MarkBinding<Record>> marks,
                                                  const QString& item)
{
    for (const MarkBinding<Record>& mark : marks) {
        if (mark.item.toString() == item)
            return &mark;
    }
    return nullptr;
}
