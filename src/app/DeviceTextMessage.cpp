#include "app/DeviceTextMessage.h"

#include "platform/TextFields.h"

#include <vector>

namespace qm {
namespace {} // namespace

std::optional<std::u16string> DeviceTextFromMessage(std::u16string_view posted) {
    std::vector<std::u16string_view> fields = SplitFields(posted, u"#");
    if (fields.size() != 5 || SplitFields(fields[1], u"&").size() != 2) {
        return std::nullopt;
    }
    return std::u16string(fields[4].substr(0, kDeviceTextLimit));
}

} // namespace qm
