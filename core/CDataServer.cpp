#include "CDataServer.h"

#include "CDataClient.h"

CDataClient::CDataClient() : name_("其他程序") {}

CDataClient::~CDataClient() {
    // A forgotten data lock would leave the server pointing at a dead client.
    if (locked_) locked_->UnLockData(this, 0);
    if (watched_) watched_->ReleaseWatch(this);
}

CDataServer::~CDataServer() {
    while (first_) {
        CDataClient* client = first_;
        client->OnDataDestroy(this);
        if (first_ == client) ReleaseWatch(client);
    }
    if (holder_) holder_->locked_ = nullptr;
}

int CDataServer::CatchWatch(CDataClient* client) {
    if (!client || client->watched_) return 0;
    client->watched_ = this;
    client->prev_ = last_;
    client->next_ = nullptr;
    if (last_)
        last_->next_ = client;
    else
        first_ = client;
    last_ = client;
    return 1;
}

int CDataServer::ReleaseWatch(CDataClient* client) {
    if (!client || client->watched_ != this) return 0;
    if (client->prev_)
        client->prev_->next_ = client->next_;
    else
        first_ = client->next_;
    if (client->next_)
        client->next_->prev_ = client->prev_;
    else
        last_ = client->prev_;
    client->next_ = client->prev_ = nullptr;
    client->watched_ = nullptr;
    return 1;
}

int CDataServer::LockData(CDataClient* client) {
    if (!client || client->locked_ || holder_) return 0;
    holder_ = client;
    client->locked_ = this;
    return 1;
}

int CDataServer::UnLockData(CDataClient* client, int notify) {
    if (!client || holder_ != client) return 0;
    holder_ = nullptr;
    client->locked_ = nullptr;
    if (notify == 1) DoDataChanged();
    return 1;
}

int CDataServer::WatcherCount() const {
    int n = 0;
    for (CDataClient* c = first_; c; c = c->next_)
        ++n;
    return n;
}

void CDataServer::DoDataChanged() {
    for (CDataClient* c = first_; c;) {
        CDataClient* next = c->next_; // a watcher may release itself
        c->OnDataChanged();
        c = next;
    }
}
