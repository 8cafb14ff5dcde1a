// Objects owned by a table and named by their own address, as module
// handles are (loaded modules, engine modules). The table takes no lock:
// its owner guards it with the lock its own calls need. Internal to
// platform/.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

namespace plat {

template <class T>
class OwnedTable {
 public:
  // Takes the object; returns its address, the handle that names it.
  T* Add(std::unique_ptr<T> object) {
    objects_.push_back(std::move(object));
    return objects_.back().get();
  }

  // The first object for which pred(const T&) holds, or null.
  template <class Pred>
  T* FindIf(Pred pred) const {
    auto it = std::find_if(objects_.begin(), objects_.end(),
                           [&](const std::unique_ptr<T>& o) { return pred(*o); });
    return it == objects_.end() ? nullptr : it->get();
  }

  // The object a handle names, or null.
  T* Find(const void* handle) const {
    return FindIf([&](const T& o) { return &o == handle; });
  }

  // Takes the object a handle names out of the table (null when none).
  std::unique_ptr<T> Remove(const void* handle) {
    auto it = std::find_if(objects_.begin(), objects_.end(),
                           [&](const std::unique_ptr<T>& o) { return o.get() == handle; });
    if (it == objects_.end()) return nullptr;
    std::unique_ptr<T> removed = std::move(*it);
    objects_.erase(it);
    return removed;
  }

 private:
  std::vector<std::unique_ptr<T>> objects_;
};

}  // namespace plat
