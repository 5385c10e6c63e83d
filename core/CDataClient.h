#pragma once

#include <string>

class CDataServer;

// A window or tool that watches a data set and may lock it while editing.
class CDataClient {
public:
    CDataClient();
    CDataClient(const CDataClient&) = delete;
    CDataClient& operator=(const CDataClient&) = delete;
    virtual ~CDataClient();

    virtual void OnDataChanged() {}
    virtual void OnDataDestroy(CDataServer* /*server*/) {}

    void SetName(const std::string& name) { name_ = name; }
    void GetName(std::string* name) const {
        if (name) *name = name_;
    }
    const std::string& Name() const { return name_; }
    CDataServer* IsWatchLinked() const { return watched_; }
    CDataServer* IsDataLocked() const { return locked_; }

private:
    friend class CDataServer;
    std::string name_;
    CDataServer* watched_ = nullptr;
    CDataServer* locked_ = nullptr;
    CDataClient* next_ = nullptr;
    CDataClient* prev_ = nullptr;
};
