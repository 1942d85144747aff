#include "VariantArg.h"

#include <algorithm>
#include <string>

#include "Strings.h"

namespace tervanix::c {

VariantArg::VariantArg(const CheckedArray& checked) : checked_(checked) {
    switch (checked_.descriptor.type) {
        case TVX_DOUBLE:
            doubles_ = Borrowed<DoubleArray>(checked_);
            variant_ = Variant::RefTo(doubles_);
            break;
        case TVX_LONG:
            longs_ = Borrowed<LongArray>(checked_);
            variant_ = Variant::RefTo(longs_);
            break;
        default:
            CopyInStrings();
            variant_ = Variant::RefTo(strings_);
            break;
    }
}

VariantArg::~VariantArg() {
    if (checked_.descriptor.type == TVX_STRING) CopyOutStrings();
}

void VariantArg::CopyInStrings() {
    const tvx_Array& d = checked_.descriptor;
    const auto* source = static_cast<const tvx_String*>(d.data);
    strings_ = StringArray(d.lower[0], d.upper[0]);
    originals_.assign(source, source + strings_.size());
    for (std::size_t k = 0; k < originals_.size(); ++k) {
        // A bad element is named by its subscript: "vXData(3).units".
        const long long subscript = d.lower[0] + static_cast<long long>(k);
        const std::string element = std::string(checked_.name) + "(" + std::to_string(subscript) + ").units";
        byContent_.emplace_back(FromUnits(originals_[k].units, originals_[k].length, element.c_str()), k);
    }
    for (std::size_t k = 0; k < strings_.size(); ++k) strings_.data()[k] = byContent_[k].first;
    std::sort(byContent_.begin(), byContent_.end());
    taken_.assign(byContent_.size(), 0);
}

void VariantArg::CopyOutStrings() noexcept {
    auto* target = static_cast<tvx_String*>(checked_.descriptor.data);
    for (std::size_t k = 0; k < strings_.size(); ++k) {
        const String& element = strings_.data()[k];
        const auto run = std::lower_bound(byContent_.begin(), byContent_.end(), element,
                                          [](const auto& entry, const String& s) { return entry.first < s; });
        const auto first = static_cast<std::size_t>(run - byContent_.begin());
        // A sort only exchanges elements, so every content is found; the test keeps
        // the lookup inside the table all the same.
        if (first == byContent_.size() || byContent_[first].first != element) continue;
        std::size_t pick = first + taken_[first];
        if (pick < byContent_.size() && byContent_[pick].first == element) {
            ++taken_[first];
        } else {
            pick = first;
        }
        target[k] = originals_[byContent_[pick].second];
    }
}

}  // namespace tervanix::c
