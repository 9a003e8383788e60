#include "pages/FieldSet.h"

#include "labels/TextCodec.h"

#include <algorithm>
#include <stdexcept>

namespace orlan {

namespace {

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsWholeInRange(std::string_view text, int minimum, int maximum)
{
    const bool sign = !text.empty() && text.front() == '-';
    const std::string_view magnitude = sign ? text.substr(1) : text;
    if (!AllDigits(magnitude) || magnitude.size() > 9)
        return false;
    const long long number = std::stoll(std::string(magnitude)) * (text.front() == '-' ? -1 : 1);
    return number >= minimum && number <= maximum;
}

bool IsDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && digits(fraction) && whole.size() + fraction.size() > 0 && text.size() <= 20;
}

} // namespace

std::string ValueRuleText(const SFieldDesc& desc)
{
    if (desc.kind == EFieldKind::Spin || (desc.kind == EFieldKind::Text && desc.value == EValueType::Whole))
        return "a whole number from " + std::to_string(desc.minimum) + " to " + std::to_string(desc.maximum);
    if (desc.kind == EFieldKind::Text && desc.value == EValueType::Decimal)
        return "a decimal number such as -12.5";
    if (desc.kind == EFieldKind::Text && desc.digitsOnly)
        return "digits";
    return {};
}

std::string ValueError(const SFieldDesc& desc, std::string_view text)
{
    // Room left on the terminal's 1024-byte line for the command around it.
    constexpr size_t kLongestValue = 1000;
    const bool oneLine = desc.kind == EFieldKind::Text || desc.kind == EFieldKind::Spin;
    if (oneLine && text.find_first_of("\r\n") != std::string_view::npos)
        return "is one line: it cannot hold a line break";
    if (text.size() > kLongestValue)
        return "holds at most " + std::to_string(kLongestValue) + " characters";
    if (desc.kind == EFieldKind::Text && desc.digitsOnly && !AllDigits(text))
        return "takes digits only";
    const bool whole = desc.kind == EFieldKind::Spin || (desc.kind == EFieldKind::Text && desc.value == EValueType::Whole);
    if (whole && !IsWholeInRange(text, desc.minimum, desc.maximum))
        return "takes " + ValueRuleText(desc);
    if (desc.kind == EFieldKind::Text && desc.value == EValueType::Decimal && !IsDecimal(text))
        return "takes " + ValueRuleText(desc);
    return {};
}

size_t CFieldSet::Add(SFieldDesc desc, SFieldValue initial)
{
    m_descs.push_back(std::move(desc));
    m_values.push_back(initial);
    m_initial.push_back(std::move(initial));
    m_beforeEdit.emplace_back();
    m_known.push_back(false);
    return m_descs.size() - 1;
}

size_t CFieldSet::IndexOf(std::string_view id) const
{
    for (size_t i = 0; i < m_descs.size(); ++i) {
        if (m_descs[i].id == id)
            return i;
    }
    throw std::out_of_range("unknown field id: " + std::string(id));
}

bool CFieldSet::Has(std::string_view id) const
{
    for (const SFieldDesc& desc : m_descs) {
        if (desc.id == id)
            return true;
    }
    return false;
}

const std::string& CFieldSet::Text(std::string_view id) const
{
    return m_values[IndexOf(id)].text;
}

int CFieldSet::Number(std::string_view id) const
{
    return m_values[IndexOf(id)].number;
}

void CFieldSet::SetText(std::string_view id, std::string_view text)
{
    const size_t i = IndexOf(id);
    m_values[i].text = std::string(text);
    m_beforeEdit[i].reset();
    // A text the terminal sent as hex that is no UCS-2 is shown as it came,
    // but cannot be written back as the terminal holds it.
    m_known[i] = !IsUndecodedUcs2(text);
}

void CFieldSet::SetNumber(std::string_view id, int number)
{
    const size_t i = IndexOf(id);
    m_values[i].number = number;
    m_beforeEdit[i].reset();
    m_known[i] = true;
}

void CFieldSet::SetValue(size_t i, SFieldValue value)
{
    m_values.at(i) = std::move(value);
    m_beforeEdit[i].reset();
    m_known[i] = true;
}

void CFieldSet::Edit(size_t i, SFieldValue value)
{
    if (!m_beforeEdit.at(i))
        m_beforeEdit[i] = m_values[i];
    m_values[i] = std::move(value);
    m_known[i] = true;
}

bool CFieldSet::IsEdited(size_t i) const
{
    return m_beforeEdit.at(i) && *m_beforeEdit[i] != m_values[i];
}

bool CFieldSet::HasEdits() const
{
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (IsEdited(i))
            return true;
    }
    return false;
}

void CFieldSet::AcceptEdits(const std::vector<SFieldValue>& written, const std::vector<std::string>& notWritten)
{
    for (size_t i = 0; i < m_values.size() && i < written.size(); ++i) {
        const bool leftOut = std::find(notWritten.begin(), notWritten.end(), m_descs[i].id) != notWritten.end();
        if (m_beforeEdit[i] && !leftOut && m_values[i] == written[i])
            m_beforeEdit[i].reset();
    }
}

void CFieldSet::SetChoice(std::string_view id, int index)
{
    const size_t i = IndexOf(id);
    m_values[i].number = index >= 0 ? index : -1;
    m_beforeEdit[i].reset();
    m_known[i] = index >= 0;
}

bool CFieldSet::IsOutsideList(size_t i) const
{
    const SFieldDesc& desc = m_descs.at(i);
    const int number = m_values[i].number;
    return desc.kind == EFieldKind::Choice && number >= 0 && static_cast<size_t>(number) >= desc.items.size();
}

void CFieldSet::Forget(std::string_view id)
{
    const size_t i = IndexOf(id);
    m_values[i] = m_initial[i];
    m_beforeEdit[i].reset();
    m_known[i] = false;
}

std::string CFieldSet::LineText(std::string_view id) const
{
    std::string text = Text(id);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

void CFieldSet::Reset(const std::vector<std::string>& keep)
{
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (std::find(keep.begin(), keep.end(), m_descs[i].id) != keep.end())
            continue;
        m_values[i] = m_initial[i];
        m_beforeEdit[i].reset();
        m_known[i] = false;
    }
}

const SFieldGroup* CFieldSet::FindGroup(std::string_view id) const
{
    for (const SFieldGroup& group : m_groups) {
        if (group.id == id)
            return &group;
    }
    return nullptr;
}

bool CFieldSet::IsShown(size_t i) const
{
    const SFieldDesc& desc = m_descs.at(i);
    if (desc.hidden)
        return false;
    if (desc.visibleWhen.field.empty() || !Has(desc.visibleWhen.field))
        return true;
    const int number = Number(desc.visibleWhen.field);
    return std::find(desc.visibleWhen.numbers.begin(), desc.visibleWhen.numbers.end(), number)
           != desc.visibleWhen.numbers.end();
}

} // namespace orlan
