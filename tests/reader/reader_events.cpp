#include "reader_events.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace reader_events {

namespace {

Listener* listening = nullptr;

// The platform's accessibility is what a reader's bridge turns on when a reader connects.
void SetActive(bool active)
{
    QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
    if (QPlatformAccessibility* accessibility = integration ? integration->accessibility() : nullptr)
        accessibility->setActive(active);
}

} // namespace

Listener::Listener()
{
    listening = this;
    QAccessible::installUpdateHandler(&Listener::Record);
    SetActive(true);
}

Listener::~Listener()
{
    SetActive(false);
    QAccessible::installUpdateHandler(nullptr);
    listening = nullptr;
}

const Heard* Listener::Find(QAccessible::Event type, const std::function<bool(const Heard&)>& match) const
{
    for (const Heard& heard : heard_) {
        if (heard.type == type && match(heard))
            return &heard;
    }
    return nullptr;
}

void Listener::Record(QAccessibleEvent* event)
{
    QAccessibleInterface* where = event->accessibleInterface();
    if (listening == nullptr || where == nullptr)
        return;
    Heard heard{event->type(), where->role(), where->text(QAccessible::Name), where->object()};
    listening->heard_.push_back(std::move(heard));
}

} // namespace reader_events
