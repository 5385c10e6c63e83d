#pragma once

#include <string>
#include <vector>

// The values of the dialog "连接线设定": the two target selectors and the
// colour selector (-1 without a choice) and the selected line (-1 none).
struct ConnectionLineFields {
    int first = -1;
    int second = -1;
    int colour = 0;
    int selectedLine = -1;
};

// What the logic of "连接线设定" reads and writes of its dialog.
class ConnectionLineControls {
public:
    virtual ~ConnectionLineControls() = default;
    virtual void ReadLineFields(ConnectionLineFields* fields) = 0;
    virtual void WriteLineFields(const ConnectionLineFields& fields) = 0;
    // "目标1", "目标2", ... for both target selectors.
    virtual void SetTargetEntries(const std::vector<std::string>& entries) = 0;
    virtual void SetLineEntries(const std::vector<std::string>& entries) = 0;
};
