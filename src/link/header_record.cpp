#include "link/header_record.h"

#include "platform/form.h"

#include <cstdio>

namespace tarvelon {
namespace {

struct Binding {
    HeaderRecord::Field field;
    std::string_view box;
};

// Depth is split over two boxes and handled apart.
constexpr Binding kHeaderBoxes[] = {
    {HeaderRecord::Client, "Text3"}, {HeaderRecord::Site, "Text4"}, {HeaderRecord::Tube, "Text5"},
    {HeaderRecord::Step, "Text7"},   {HeaderRecord::Guides, "Text8"}, {HeaderRecord::North, "Text9"},
    {HeaderRecord::Readout, "Text10"}, {HeaderRecord::Date, "Text11"}, {HeaderRecord::Time, "Text12"},
};
constexpr Binding kZeroGainBoxes[] = {
    {HeaderRecord::Point, "Text22"}, {HeaderRecord::Gain1, "Text18"}, {HeaderRecord::Gain2, "Text19"},
    {HeaderRecord::Zero1, "Text20"}, {HeaderRecord::Zero2, "Text21"},
};

} // namespace

HeaderRecord::HeaderRecord()
{
    for (int f = 0; f < FieldCount; ++f)
        fields_[f].assign(static_cast<size_t>(kWidths[f]), ' ');
}

void HeaderRecord::set(Field f, std::string_view value)
{
    std::string v(value.substr(0, static_cast<size_t>(kWidths[f])));
    v.resize(static_cast<size_t>(kWidths[f]), ' ');
    fields_[f] = std::move(v);
}

std::string HeaderRecord::bytes() const
{
    std::string out;
    out.reserve(kLength);
    for (const auto& f : fields_)
        out += f;
    return out;
}

HeaderRecord HeaderRecord::fromBytes(std::string_view bytes)
{
    HeaderRecord r;
    size_t pos = 0;
    for (int f = 0; f < FieldCount; ++f) {
        r.set(static_cast<Field>(f), pos < bytes.size() ? bytes.substr(pos, kWidths[f]) : std::string_view{});
        pos += static_cast<size_t>(kWidths[f]);
    }
    return r;
}

HeaderRecord defaultHeader(int n)
{
    HeaderRecord r;
    char client[16];
    std::snprintf(client, sizeof client, "CLIENT%2d", n);
    r.set(HeaderRecord::Client, client);
    r.set(HeaderRecord::Site, "SITE0000");
    r.set(HeaderRecord::Tube, "T");
    r.set(HeaderRecord::Depth, "0000");
    r.set(HeaderRecord::Step, "1");
    r.set(HeaderRecord::Guides, "2");
    r.set(HeaderRecord::North, "+000");
    r.set(HeaderRecord::Readout, "00");
    r.set(HeaderRecord::Date, "DDMMYY");
    r.set(HeaderRecord::Time, "hhmmss");
    r.set(HeaderRecord::Point, "0");
    r.set(HeaderRecord::Gain1, "+1.0000");
    r.set(HeaderRecord::Gain2, "+1.0000");
    r.set(HeaderRecord::Zero1, "+0.0000");
    r.set(HeaderRecord::Zero2, "+0.0000");
    return r;
}

void recordToWindow(const HeaderRecord& record, Form& form, FieldSet set)
{
    for (const Binding& b : kHeaderBoxes)
        form.setText(b.box, record.get(b.field));
    const std::string& depth = record.get(HeaderRecord::Depth);
    form.setText("Text6", depth.substr(0, 3));
    form.setText("Text13", depth.substr(3, 1));
    if (set == FieldSet::All)
        for (const Binding& b : kZeroGainBoxes)
            form.setText(b.box, record.get(b.field));
}

void windowToRecord(const Form& form, HeaderRecord& record, FieldSet set)
{
    for (const Binding& b : kHeaderBoxes)
        record.set(b.field, form.text(b.box));
    record.set(HeaderRecord::Depth, form.text("Text6") + form.text("Text13"));
    if (set == FieldSet::All)
        for (const Binding& b : kZeroGainBoxes)
            record.set(b.field, form.text(b.box));
}

std::string headerText(const Form& form)
{
    std::string t;
    for (std::string_view box : {"Text3", "Text4", "Text5", "Text6", "Text13", "Text7", "Text8", "Text9",
                                 "Text10", "Text11", "Text12"})
        t += form.text(box);
    return t;
}

} // namespace tarvelon
