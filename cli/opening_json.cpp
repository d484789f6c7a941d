#include "cli/opening_json.h"

#include "law/era.h"

namespace fenmark::cli {

void writeCarried(JsonWriter& json, const std::optional<schedule::Schedule::Carried>& opening) {
    if (!opening) return;
    const schedule::Schedule::Carried& carried = *opening;
    json.key("carried").beginObject();
    json.key("year").integer(carried.year);
    json.key("bookValue").integer(carried.bookValue);
    json.key("revisedBase").integerOrNull(carried.revisedBase);
    json.key("computedBookValue").integerOrNull(carried.computedBookValue);
    json.key("difference").integerOrNull(carried.difference());
    json.key("fromComputed").boolean(carried.fromComputed);
    json.key("applied").boolean(carried.applied());
    json.endObject();
}

void writeConversion(JsonWriter& json,
                     const std::optional<schedule::Schedule::Conversion>& converted) {
    if (!converted) return;
    const schedule::Schedule::Conversion& conversion = *converted;
    const law::PrivateUseLoss& loss = conversion.loss;
    json.key("conversion").beginObject();
    json.key("acquired")
        .string(law::yearMonthText(conversion.acquired.year, conversion.acquired.month));
    json.key("started").string(
        law::yearMonthText(conversion.started.year, conversion.started.month));
    json.key("extendedLife").integer(loss.extendedLife);
    json.key("rate").string(loss.rate);
    json.key("years").integer(loss.years);
    json.key("loss").integer(loss.amount);
    json.key("capped").boolean(loss.capped);
    json.key("bookValue").integer(loss.bookValue());
    json.key("text").string(loss.text());
    json.endObject();
}

}  // namespace fenmark::cli
