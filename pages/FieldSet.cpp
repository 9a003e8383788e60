#include "pages/FieldSet.h"

#include <algorithm>
#include <stdexcept>

namespace orlan {

size_t CFieldSet::Add(SFieldDesc desc, SFieldValue initial)
{
    m_descs.push_back(std::move(desc));
    m_values.push_back(initial);
    m_initial.push_back(std::move(initial));
    m_beforeEdit.emplace_back();
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
}

void CFieldSet::SetNumber(std::string_view id, int number)
{
    const size_t i = IndexOf(id);
    m_values[i].number = number;
    m_beforeEdit[i].reset();
}

void CFieldSet::SetValue(size_t i, SFieldValue value)
{
    m_values.at(i) = std::move(value);
    m_beforeEdit[i].reset();
}

void CFieldSet::Edit(size_t i, SFieldValue value)
{
    if (!m_beforeEdit.at(i))
        m_beforeEdit[i] = m_values[i];
    m_values[i] = std::move(value);
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

void CFieldSet::AcceptEdits(const std::vector<SFieldValue>& written)
{
    for (size_t i = 0; i < m_values.size() && i < written.size(); ++i) {
        if (m_beforeEdit[i] && m_values[i] == written[i])
            m_beforeEdit[i].reset();
    }
}

void CFieldSet::SetChoice(std::string_view id, int index)
{
    const size_t i = IndexOf(id);
    const bool inRange = index >= 0 && static_cast<size_t>(index) < m_descs[i].items.size();
    m_values[i].number = inRange ? index : -1;
    m_beforeEdit[i].reset();
}

std::string CFieldSet::LineText(std::string_view id) const
{
    std::string text = Text(id);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

void CFieldSet::Reset()
{
    m_values = m_initial;
    for (auto& before : m_beforeEdit)
        before.reset();
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
