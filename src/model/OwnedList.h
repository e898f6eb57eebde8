#pragma once

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

// An ordered list that owns its records: the list operations the document and the three
// masters share. Indexes out of range throw std::out_of_range.
template <class T>
class OwnedList {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    T& Items(int index) { return *items_.at(checked(index)); }
    const T& Items(int index) const { return *items_.at(checked(index)); }

    int Add(std::unique_ptr<T> item) {
        items_.push_back(std::move(item));
        return Count() - 1;
    }
    // Replaces record index; the previous record goes back to the caller.
    std::unique_ptr<T> Put(int index, std::unique_ptr<T> item) {
        items_.at(checked(index)).swap(item);
        return item;
    }
    // Both indexes are checked before anything moves: a bad one leaves every slot filled.
    void Move(int from, int to) {
        const auto source = items_.begin() + static_cast<std::ptrdiff_t>(checked(from));
        const auto target = items_.begin() + static_cast<std::ptrdiff_t>(checked(to));
        if (source < target) {
            std::rotate(source, source + 1, target + 1);
        } else {
            std::rotate(target, source, source + 1);
        }
    }
    void Delete(int index) {
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(checked(index)));
    }
    void Clear() { items_.clear(); }
    // Position of the record at address item, -1 when it is not in the list.
    int IndexOf(const T* item) const {
        for (size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].get() == item) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

  private:
    size_t checked(int index) const {
        if (index < 0 || index >= Count()) {
            throw std::out_of_range("list index out of range");
        }
        return static_cast<size_t>(index);
    }

    std::vector<std::unique_ptr<T>> items_;
};
