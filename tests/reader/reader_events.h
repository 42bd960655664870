#pragma once
// What a screen reader hears from the program: Qt's accessibility switched on as a reader's
// arrival switches it on, and every event the widgets and windows then raise recorded. The
// headless platform (and the one under wine) has no reader bridge, so without this Qt drops
// the events unseen.
#include <QAccessible>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

namespace reader_events {

struct Heard
{
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
    QPointer<QObject> object; // null for a painted part
};

// While alive, accessibility is on and every event is recorded. One at a time.
class Listener
{
public:
    Listener();
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    void Clear() { heard_.clear(); }
    // The first event of `type` that `match` accepts, or nullptr.
    const Heard* Find(QAccessible::Event type, const std::function<bool(const Heard&)>& match) const;

private:
    static void Record(QAccessibleEvent* event);

    std::vector<Heard> heard_;
};

} // namespace reader_events
