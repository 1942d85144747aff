#include "VariantArg.h"

#include <algorithm>

#include "Strings.h"

namespace tervanix::c {

VariantArg::VariantArg(tvx_Array* array, const char* name)
    : descriptor_((CheckArray(array, name, kRank, kType), *array)) {
    switch (descriptor_.type) {
        case TVX_DOUBLE:
            doubles_ = Borrowed<DoubleArray>(descriptor_);
            variant_ = Variant::RefTo(doubles_);
            break;
        case TVX_LONG:
            longs_ = Borrowed<LongArray>(descriptor_);
            variant_ = Variant::RefTo(longs_);
            break;
        default:
            CopyInStrings(name);
            variant_ = Variant::RefTo(strings_);
            break;
    }
}

VariantArg::~VariantArg() {
    if (descriptor_.type == TVX_STRING) CopyOutStrings();
}

void VariantArg::CopyInStrings(const char* name) {
    const auto* source = static_cast<const tvx_String*>(descriptor_.data);
    strings_ = StringArray(descriptor_.lower[0], descriptor_.upper[0]);
    originals_.assign(source, source + strings_.size());
    for (std::size_t k = 0; k < originals_.size(); ++k) {
        byContent_.emplace_back(FromUnits(originals_[k].units, originals_[k].length, name), k);
    }
    for (std::size_t k = 0; k < strings_.size(); ++k) strings_.data()[k] = byContent_[k].first;
    std::sort(byContent_.begin(), byContent_.end());
    taken_.assign(byContent_.size(), 0);
}

void VariantArg::CopyOutStrings() noexcept {
    auto* target = static_cast<tvx_String*>(descriptor_.data);
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
