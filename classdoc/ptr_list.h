// Growable lists of the documentation model. A list that cannot take one more
// entry (its 32-bit count is exhausted, or memory runs out) ends the program
// through fatalExit with exit status 1: an entry is never dropped silently.
#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fatal_exit.h"

namespace classdoc {

/// Entries are counted in 32-bit signed integers.
constexpr std::size_t kMaxListCount = INT_MAX;

template <class T>
class GrowableList {
 public:
  explicit GrowableList(std::size_t maxCount = kMaxListCount) : maxCount_(maxCount) {}
  virtual ~GrowableList() = default;
  GrowableList(GrowableList&&) noexcept = default;
  GrowableList& operator=(GrowableList&&) noexcept = default;

  void append(T entry) {
    makeRoom(1);
    items_.push_back(std::move(entry));
  }
  /// Appends copies of the other list's entries after this list's own.
  void append(const GrowableList& other) {
    makeRoom(other.items_.size());
    items_.insert(items_.end(), other.items_.begin(), other.items_.end());
  }
  void removeLast() { items_.pop_back(); }
  const T& last() const { return items_.back(); }
  /// Empties the list; entries that are pointers are not freed.
  void clearKeep() { items_.clear(); }
  template <class Compare>
  void sort(Compare less) { std::stable_sort(items_.begin(), items_.end(), less); }

  int count() const { return static_cast<int>(items_.size()); }
  bool empty() const { return items_.empty(); }
  T& operator[](std::size_t i) { return items_[i]; }
  const T& operator[](std::size_t i) const { return items_[i]; }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 protected:
  void makeRoom(std::size_t n) {
    if (n > maxCount_ || items_.size() > maxCount_ - n)
      fatalExit("*** Error *** A list cannot grow beyond " + std::to_string(maxCount_) +
                    " entries",
                1);
    if (items_.capacity() - items_.size() >= n) return;
    try {
      /// Doubling keeps appends linear; the count limit still holds.
      std::size_t wanted = std::max(items_.size() + n, items_.size() * 2 + 5);
      items_.reserve(std::min(wanted, std::max(maxCount_, items_.size() + n)));
    } catch (const std::bad_alloc&) {
      fatalExit("*** Error *** Out of memory: a list cannot grow", 1);
    } catch (const std::length_error&) {
      fatalExit("*** Error *** Out of memory: a list cannot grow", 1);
    }
  }

  std::vector<T> items_;  // the entries, in insertion order

 private:
  std::size_t maxCount_;  // entries the list may hold
};

/// A list of pointers it does not own.
template <class T>
using PtrList = GrowableList<T*>;

/// A list of texts, compared exactly: the names already listed.
class NameList : public GrowableList<std::string> {
 public:
  using GrowableList::GrowableList;
  bool contains(std::string_view text) const {
    return std::find(items_.begin(), items_.end(), text) != items_.end();
  }
  void addUnique(std::string_view text) {
    if (!contains(text)) append(std::string(text));
  }
};

}  // namespace classdoc
