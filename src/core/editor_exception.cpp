#include "core/editor_exception.h"

namespace velmo::core {

EditorException EditorException::invalidValue(std::string_view value, std::string_view name)
{
    std::string message;
    message.reserve(value.size() + name.size() + 32);
    message.append("'").append(value).append("' is not a valid value for '").append(name).append("'");
    return EditorException(message);
}

EditorException EditorException::invalidValue(long long value, std::string_view name)
{
    return invalidValue(std::to_string(value), name);
}

EditorException EditorException::invalidPosition(long long position)
{
    return EditorException("position " + std::to_string(position));
}

EditorException EditorException::internalError()
{
    return EditorException(std::string(kInternalErrorMessage));
}

EditorException EditorException::formatNotSupported()
{
    return EditorException(std::string(kFormatNotSupportedMessage));
}

} // namespace velmo::core
