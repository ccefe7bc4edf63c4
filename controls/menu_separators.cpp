#include "controls/menu_separators.h"

void RemoveRedundantMenuSeparators(LMenuItems* menu)
{
    if (menu == nullptr)
        return;
    int32_t position = 0;
    int32_t count = menu->ItemCount();
    while (position < count) {
        const bool redundant = menu->IsSeparator(position) &&
                               (position == 0 || position == count - 1 || menu->IsSeparator(position - 1) ||
                                menu->IsSeparator(position + 1));
        if (redundant) {
            menu->RemoveItem(position);
            // The item that moved up is looked at next, so runs of separators collapse.
            count = menu->ItemCount();
        } else {
            ++position;
        }
    }
}
