#include "Strings.h"

#include <array>

namespace radio {

namespace {

struct StringEntry {
    int id;
    TextPair text;
};

constexpr std::array kStrings = {
    StringEntry{ids::kOutOfRange, {"Out of range,please input again.", "超出范围，请重新输入。"}},
    StringEntry{ids::kCommunicationError,
                {"Communication Error,Please check all the connections and the radio power",
                 "通信错误，请检查所有连接及电台电源"}},
    StringEntry{ids::kDataWillBeCleared, {"All data will be Cleared!", "所有数据将被清除！"}},
    StringEntry{ids::kCannotOpenPort,
                {"Could not Open the Port,Please check whether the Port are occupied or the "
                 "device are ok",
                 "无法打开端口，请检查端口是否被占用或设备是否正常"}},
    StringEntry{ids::kProgramInterrupt,
                {"Program Interrupt, Please reset the radio and try again",
                 "编程中断，请将电台复位后重试"}},
    StringEntry{ids::kOffStep,
                {"Error data Value, please input according the step value(6.25K/5k).",
                 "数据错误，请按步进值(6.25K/5K)输入。"}},
    StringEntry{ids::kCaution, {"Caution", "注意"}},
};

} // namespace

std::string_view LoadResString(int id, Language lang) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) {
            return entry.text.In(lang);
        }
    }
    return {};
}

} // namespace radio
