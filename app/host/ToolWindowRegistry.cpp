#include "ToolWindowRegistry.h"

#include "ToolWindowHost.h"

#include <QPoint>

ToolWindowRegistry::ToolWindowRegistry() = default;

ToolWindowRegistry::~ToolWindowRegistry() {
    // The windows go before the hosts' logic they use.
    CloseAll();
}

void ToolWindowRegistry::Add(std::unique_ptr<ToolWindowHost> host) {
    if (host && !Find(host->Kind())) hosts_.push_back(std::move(host));
}

ToolWindowHost* ToolWindowRegistry::Find(ToolWindow kind) const {
    for (const auto& host : hosts_)
        if (host->Kind() == kind) return host.get();
    return nullptr;
}

QWidget* ToolWindowRegistry::Open(ToolWindow kind) {
    ToolWindowHost* host = Find(kind);
    return host ? host->Open() : nullptr;
}

QWidget* ToolWindowRegistry::Window(ToolWindow kind) const {
    ToolWindowHost* host = Find(kind);
    return host ? host->Window() : nullptr;
}

bool ToolWindowRegistry::IsOpen(ToolWindow kind) const {
    ToolWindowHost* host = Find(kind);
    return host && host->IsOpen();
}

void ToolWindowRegistry::Close(ToolWindow kind) {
    if (ToolWindowHost* host = Find(kind)) host->Close();
}

void ToolWindowRegistry::CloseAll() {
    for (const auto& host : hosts_)
        delete host->Window();
}

bool ToolWindowRegistry::PointerMoved(unsigned flags, const QPoint& point) {
    bool taken = false;
    for (const auto& host : hosts_)
        taken = host->PointerMoved(flags, point) || taken;
    return taken;
}
