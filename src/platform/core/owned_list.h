#pragma once
// An owning list of heap objects: appends at the tail, walks in insertion order and deletes
// what it removes. Element addresses stay valid while the element is in the list.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

template <class T> class OwnedList
{
public:
    using Storage = std::vector<std::unique_ptr<T>>;

    class iterator
    {
    public:
        explicit iterator(typename Storage::const_iterator it) : it_(it) {}
        T* operator*() const { return it_->get(); }
        iterator& operator++()
        {
            ++it_;
            return *this;
        }
        bool operator==(const iterator& other) const = default;

    private:
        typename Storage::const_iterator it_;
    };

    OwnedList() = default;
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    OwnedList(OwnedList&&) noexcept = default;
    OwnedList& operator=(OwnedList&&) noexcept = default;

    T* AddTail(std::unique_ptr<T> item)
    {
        items_.push_back(std::move(item));
        return items_.back().get();
    }
    template <class... Args> T* EmplaceTail(Args&&... args)
    {
        return AddTail(std::make_unique<T>(std::forward<Args>(args)...));
    }
    // Deletes the element if it is in the list; returns whether it was.
    bool Remove(const T* item)
    {
        auto it =
            std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
        if (it == items_.end())
            return false;
        items_.erase(it);
        return true;
    }
    void RemoveAll() { items_.clear(); }
    size_t GetCount() const { return items_.size(); }
    bool IsEmpty() const { return items_.empty(); }
    T* GetAt(size_t index) const { return index < items_.size() ? items_[index].get() : nullptr; }
    T* GetHead() const { return items_.empty() ? nullptr : items_.front().get(); }
    T* GetTail() const { return items_.empty() ? nullptr : items_.back().get(); }
    bool Contains(const T* item) const
    {
        return std::any_of(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
    }

    iterator begin() const { return iterator(items_.cbegin()); }
    iterator end() const { return iterator(items_.cend()); }

private:
    Storage items_;
};
