#include "foundation/text/sort_strings.h"

namespace {

void Swap(XAString& a, XAString& b, XAString& scratch)
{
    scratch = a;
    a = b;
    b = scratch;
}

// Hoare partition around the middle element; the pivot index follows the pivot element through
// the swaps. Leaves j < i with data[first..j] and data[i..last] still to sort. The bounds checks
// only matter for a predicate that is not a strict order.
void Partition(XAString* data, XAString& scratch, int32_t first, int32_t last, SortPredicate less, int32_t& i,
               int32_t& j)
{
    i = first;
    j = last;
    int32_t p = first + (last - first) / 2;
    do {
        while (i < last && less(data[i].CStr(), data[p].CStr()))
            ++i;
        while (j > first && less(data[p].CStr(), data[j].CStr()))
            --j;
        if (i > j)
            break;
        if (p == i)
            p = j;
        else if (p == j)
            p = i;
        Swap(data[i], data[j], scratch);
        ++i;
        --j;
    } while (i <= j);
}

} // namespace

void SortStrings(XAString* data, XAString& scratch, int32_t first, int32_t last, SortPredicate less)
{
    // Recursing into the smaller part and looping on the larger keeps the stack depth
    // logarithmic; the parts are disjoint, so the order is the same either way.
    while (first < last) {
        int32_t i = 0;
        int32_t j = 0;
        Partition(data, scratch, first, last, less, i, j);
        if (j - first < last - i) {
            SortStrings(data, scratch, first, j, less);
            first = i;
        } else {
            SortStrings(data, scratch, i, last, less);
            last = j;
        }
    }
}
