#include "support/fake_form.h"

#include "link/fields.h"

#include <stdexcept>

namespace tarvelon::test {

FakeForm::FakeForm()
{
    for (const FieldSpec& f : kFields)
        boxes_[std::string(f.name)] = Box{f.maxLength, std::string(f.initial), {}};
}

FakeForm::Box& FakeForm::box(std::string_view field)
{
    auto it = boxes_.find(field);
    if (it == boxes_.end())
        throw std::out_of_range("no text box " + std::string(field));
    return it->second;
}

const FakeForm::Box& FakeForm::box(std::string_view field) const
{
    return const_cast<FakeForm*>(this)->box(field);
}

std::string FakeForm::text(std::string_view field) const
{
    return box(field).text;
}

void FakeForm::setText(std::string_view field, std::string_view text)
{
    Box& b = box(field);
    b.text = b.maxLength > 0 ? std::string(text.substr(0, static_cast<size_t>(b.maxLength))) : std::string(text);
    b.history.push_back(b.text);
}

std::vector<std::string> FakeForm::history(std::string_view field) const
{
    return box(field).history;
}

void FakeForm::setEnabled(std::string_view control, bool enabled)
{
    enabled_[std::string(control)] = enabled;
}

bool FakeForm::isEnabled(std::string_view control) const
{
    auto it = enabled_.find(control);
    return it == enabled_.end() ? true : it->second;
}

void FakeForm::showWaitIndicator(bool shown)
{
    waitShown_ = shown;
}

void FakeMessages::show(const std::string& text, Icon icon, const std::string& title)
{
    shown.push_back({text, icon, title});
}

bool FakeMessages::askOkCancel(const std::string& text, const std::string& erases)
{
    questions.push_back(text);
    erased.push_back(erases);
    if (answers.empty())
        return true;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

Answer FakeMessages::ask(const Question& q)
{
    asked.push_back(q);
    if (choices.empty())
        return askOkCancel(q.text, q.erases) ? Answer::Ok : Answer::Cancel;
    questions.push_back(q.text);
    erased.push_back(q.erases);
    const Answer a = choices.front();
    choices.pop_front();
    return a;
}

} // namespace tarvelon::test
