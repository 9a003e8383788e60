#include "pages/JointCommand.h"

#include "console/TextScan.h"
#include "pages/ProfileInverse.h"

namespace orlan {

namespace {

struct SPiece {
    std::string literal;  // "%%" read as '%'
    char conversion = 0;  // after the literal; 0 for the tail
};

// The format as literal pieces, each followed by one conversion letter
// (flags and width skipped), the last followed by none.
std::vector<SPiece> Pieces(std::string_view format)
{
    std::vector<SPiece> pieces(1);
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            pieces.back().literal += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            pieces.back().literal += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < format.size() && std::string_view("-+ 0#123456789.").find(format[j]) != std::string_view::npos)
            ++j;
        if (j >= format.size())
            return {};
        pieces.back().conversion = format[j];
        pieces.emplace_back();
        i = j;
    }
    return pieces;
}

bool IsNumberConversion(char c)
{
    return c == 'd' || c == 'i' || c == 'u';
}

std::string ValueText(char conversion, std::string_view id, const CFieldSet& fields)
{
    if (!IsNumberConversion(conversion))
        return fields.LineText(id);
    const EFieldKind kind = fields.Desc(fields.IndexOf(id)).kind;
    if (kind == EFieldKind::Check)
        return fields.Number(id) != 0 ? "1" : "0";
    if (kind == EFieldKind::Choice)
        return std::to_string(fields.Number(id));
    return std::to_string(WholeNumber(fields.Text(id)));
}

} // namespace

std::optional<std::string> FormatJoint(const SJointCommand& joint, const CFieldSet& fields)
{
    const std::vector<SPiece> pieces = Pieces(joint.format);
    if (pieces.size() != joint.fields.size() + 1)
        return std::nullopt;
    std::string command;
    for (size_t i = 0; i < joint.fields.size(); ++i) {
        const std::string_view id = joint.fields[i];
        if (fields.Desc(fields.IndexOf(id)).kind == EFieldKind::Choice && fields.Number(id) < 0)
            return std::nullopt;
        command += pieces[i].literal;
        command += ValueText(pieces[i].conversion, id, fields);
    }
    return command + pieces.back().literal;
}

std::function<bool(const std::vector<std::string>&)> JointInverse(const SJointCommand& joint, CFieldSet& fields)
{
    return [&joint, &fields](const std::vector<std::string>& values) {
        const std::vector<SPiece> pieces = Pieces(joint.format);
        if (pieces.size() != joint.fields.size() + 1 || values.size() != joint.fields.size())
            return false;
        for (size_t i = 0; i < values.size(); ++i) {
            const std::string_view id = joint.fields[i];
            const EFieldKind kind = fields.Desc(fields.IndexOf(id)).kind;
            if (IsNumberConversion(pieces[i].conversion) && kind == EFieldKind::Check)
                fields.SetNumber(id, WholeNumber(values[i]) != 0 ? 1 : 0);
            else if (IsNumberConversion(pieces[i].conversion) && kind == EFieldKind::Choice)
                fields.SetChoice(id, static_cast<int>(WholeNumber(values[i])));
            else
                fields.SetText(id, values[i]);
        }
        return true;
    };
}

bool TakeJoint(const SJointCommand& joint, std::string_view command, CFieldSet& fields)
{
    const std::optional<std::vector<std::string>> values = ScanWire(joint.format, command);
    return values && JointInverse(joint, fields)(*values);
}

} // namespace orlan
