#pragma once

class CDataClient;

// Guards one data set: watchers are told of changes; one client at a time
// holds the data lock while it edits.
class CDataServer {
public:
    CDataServer() = default;
    CDataServer(const CDataServer&) = delete;
    CDataServer& operator=(const CDataServer&) = delete;
    virtual ~CDataServer();

    int CatchWatch(CDataClient* client);
    int ReleaseWatch(CDataClient* client);
    int LockData(CDataClient* client);
    int UnLockData(CDataClient* client, int notify);
    CDataClient* LockHolder() const { return holder_; }
    int WatcherCount() const;

protected:
    void DoDataChanged();

private:
    CDataClient* first_ = nullptr;
    CDataClient* last_ = nullptr;
    CDataClient* holder_ = nullptr;
};
