// Feeds arbitrary bytes to the keyed-file reader and exercises typed access.
#include "CCfgFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    char path[] = "/tmp/kova-fuzz-cfg-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return 0;
    if (write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        unlink(path);
        return 0;
    }
    close(fd);
    {
        CCfgFile cfg;
        cfg.Load(std::string(path));
        for (const CCommand& record : cfg.Records()) {
            int i = 0;
            double d = 0;
            std::string s;
            std::vector<long> longs;
            cfg.GetValue(record.Name(), &i);
            cfg.GetValue(record.Name(), &d);
            cfg.GetValue(record.Name(), &s);
            cfg.GetArray(record.Name(), &longs);
            (void)record.ToLine();
        }
        // Round trip: what was read must read back identically.
        std::string copy = std::string(path) + ".out";
        cfg.SetModified(1);
        if (cfg.Save(copy)) {
            CCfgFile again;
            again.Load(copy);
            if (again.Records().size() != cfg.Records().size()) __builtin_trap();
            auto a = cfg.Records().begin();
            for (const CCommand& b : again.Records()) {
                // A record whose only value is empty reads back without values.
                bool loneEmpty = a->GetDataCnt() == 1 && a->Values()[0].empty();
                if (a->Name() != b.Name() ||
                    (loneEmpty ? b.GetDataCnt() != 0 : a->Values() != b.Values()))
                    __builtin_trap();
                ++a;
            }
            unlink(copy.c_str());
        }
    }
    unlink(path);
    return 0;
}
