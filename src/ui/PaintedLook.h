#pragma once

#include <QObject>

namespace gcs {

/// Sets one property of a painted item's look (a colour, a font, a caption): stores value,
/// then emits the item's lookChanged and repaints it. Nothing happens when the value is
/// unchanged.
template<typename Item, typename T> void setLook(Item* item, T& field, const T& value)
{
    if (value == field)
        return;
    field = value;
    emit item->lookChanged();
    item->update();
}

} // namespace gcs
