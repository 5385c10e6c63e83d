#include "CaptureDevices.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kova {

namespace {

// An open device node, closed when it goes.
class Node {
public:
    explicit Node(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NONBLOCK)) {}
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool IsOpen() const { return fd_ >= 0; }
    // The ioctl, repeated when a signal interrupted it.
    template <typename T> bool Ask(unsigned long request, T* argument) const {
        int result = 0;
        do {
            result = ::ioctl(fd_, request, argument);
        } while (result == -1 && errno == EINTR);
        return result == 0;
    }

private:
    int fd_;
};

std::string FourccText(std::uint32_t code) {
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : ' ';
    }
    return text;
}

std::string CString(const unsigned char* bytes, std::size_t size) {
    const auto* text = reinterpret_cast<const char*>(bytes);
    return std::string(text, strnlen(text, size));
}

// Numbers N of the /dev/videoN nodes, ascending.
std::vector<int> VideoNodeNumbers() {
    std::vector<int> numbers;
    DIR* dir = ::opendir("/dev");
    if (dir == nullptr) return numbers;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= 5 || name.compare(0, 5, "video") != 0) continue;
        const std::string digits = name.substr(5);
        if (digits.size() > 4 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        numbers.push_back(std::stoi(digits));
    }
    ::closedir(dir);
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::vector<double> Rates(const Node& node, std::uint32_t pixelFormat, std::uint32_t width,
                          std::uint32_t height) {
    std::vector<double> rates;
    v4l2_frmivalenum interval{};
    interval.pixel_format = pixelFormat;
    interval.width = width;
    interval.height = height;
    for (interval.index = 0; node.Ask(VIDIOC_ENUM_FRAMEINTERVALS, &interval); ++interval.index) {
        if (interval.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
            if (interval.discrete.numerator != 0)
                rates.push_back(static_cast<double>(interval.discrete.denominator) /
                                interval.discrete.numerator);
            continue;
        }
        // Continuous or stepwise: the fastest and the slowest rate.
        const v4l2_fract fast = interval.stepwise.min;
        const v4l2_fract slow = interval.stepwise.max;
        if (fast.numerator != 0)
            rates.push_back(static_cast<double>(fast.denominator) / fast.numerator);
        if (slow.numerator != 0)
            rates.push_back(static_cast<double>(slow.denominator) / slow.numerator);
        break;
    }
    return rates;
}

void AddSizes(const Node& node, std::uint32_t pixelFormat, std::vector<CaptureFormat>* formats) {
    v4l2_frmsizeenum size{};
    size.pixel_format = pixelFormat;
    for (size.index = 0; node.Ask(VIDIOC_ENUM_FRAMESIZES, &size); ++size.index) {
        std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes;
        if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            sizes.emplace_back(size.discrete.width, size.discrete.height);
        } else {
            // Continuous or stepwise: the smallest and the largest size.
            sizes.emplace_back(size.stepwise.min_width, size.stepwise.min_height);
            sizes.emplace_back(size.stepwise.max_width, size.stepwise.max_height);
        }
        for (const auto& [width, height] : sizes) {
            CaptureFormat format;
            format.fourcc = FourccText(pixelFormat);
            format.width = static_cast<int>(width);
            format.height = static_cast<int>(height);
            format.rates = Rates(node, pixelFormat, width, height);
            formats->push_back(format);
        }
        if (size.type != V4L2_FRMSIZE_TYPE_DISCRETE) break;
    }
}

} // namespace

std::vector<CaptureDevice> CaptureDevices::List() {
    std::vector<CaptureDevice> devices;
    for (const int number : VideoNodeNumbers()) {
        const std::string path = "/dev/video" + std::to_string(number);
        const Node node(path);
        v4l2_capability capability{};
        if (!node.IsOpen() || !node.Ask(VIDIOC_QUERYCAP, &capability)) continue;
        const std::uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) != 0
                                       ? capability.device_caps
                                       : capability.capabilities;
        if ((caps & V4L2_CAP_VIDEO_CAPTURE) == 0) continue;
        CaptureDevice device;
        device.name = CString(capability.card, sizeof capability.card) + " (" + path + ")";
        device.node = path;
        device.index = number;
        devices.push_back(device);
    }
    return devices;
}

std::vector<CaptureFormat> CaptureDevices::Formats(const std::string& path) {
    std::vector<CaptureFormat> formats;
    const Node node(path);
    if (!node.IsOpen()) return formats;
    v4l2_fmtdesc description{};
    description.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    for (description.index = 0; node.Ask(VIDIOC_ENUM_FMT, &description); ++description.index)
        AddSizes(node, description.pixelformat, &formats);
    return formats;
}

std::vector<CaptureControl> CaptureDevices::Controls(const std::string& path) {
    std::vector<CaptureControl> controls;
    const Node node(path);
    if (!node.IsOpen()) return controls;
    v4l2_queryctrl query{};
    query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    while (node.Ask(VIDIOC_QUERYCTRL, &query)) {
        const bool usable =
            (query.flags & V4L2_CTRL_FLAG_DISABLED) == 0 &&
            (query.type == V4L2_CTRL_TYPE_INTEGER || query.type == V4L2_CTRL_TYPE_BOOLEAN ||
             query.type == V4L2_CTRL_TYPE_MENU);
        if (usable) {
            CaptureControl control;
            control.id = static_cast<int>(query.id);
            control.name = CString(query.name, sizeof query.name);
            control.minimum = query.minimum;
            control.maximum = query.maximum;
            control.step = std::max(1, query.step);
            control.defaultValue = query.default_value;
            v4l2_control value{};
            value.id = query.id;
            control.value = node.Ask(VIDIOC_G_CTRL, &value) ? value.value : query.default_value;
            controls.push_back(control);
        }
        query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
    }
    return controls;
}

bool CaptureDevices::SetControl(const std::string& path, int id, int value) {
    const Node node(path);
    v4l2_control control{};
    control.id = static_cast<std::uint32_t>(id);
    control.value = value;
    return node.IsOpen() && node.Ask(VIDIOC_S_CTRL, &control);
}

} // namespace kova
