// The enumerator of the ListItems collection: a cursor over its item objects.
#pragma once

#include "platform/automation/DispatchObject.h"

#include <cstdint>
#include <memory>

namespace vantil {

class CListItems;

// The collection's enumerator: a cursor over the item objects.
class ListItemsEnum final : public plat::automation::DispatchObject {
public:
    explicit ListItemsEnum(std::shared_ptr<CListItems> items, std::int32_t cursor = 0);
    // Fills up to n values from the cursor on. `fetched` nullptr with n > 1 is an invalid
    // argument; answers status::False when fewer than n were left.
    plat::automation::Status next(std::uint32_t n, plat::automation::Variant* out,
                                  std::uint32_t* fetched);
    plat::automation::Status skip(std::uint32_t n);
    void reset() { cursor_ = 0; }
    std::shared_ptr<ListItemsEnum> clone() const;
    std::int32_t cursor() const { return cursor_; }

private:
    std::shared_ptr<CListItems> items_;
    std::int32_t cursor_;
};

} // namespace vantil
