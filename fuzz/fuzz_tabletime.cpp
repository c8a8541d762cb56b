// The tide tables' time and difference reader fed any text: a value read is
// always within its range, and reads back the same from the form the tables
// print ("+0035", "0638") and from the colon form ("0:35", "6:38"), with
// blanks around it ignored. The locale does not matter to it, but the first
// byte still picks one, so the seeds share the number rules' form.

#include "FuzzText.h"

#include "core/runtime/TableTime.h"

#include <cstdlib>

using namespace ondal;
using namespace ondal::fuzz;
using namespace Qt::StringLiterals;

namespace {

QString printed(int minutes, bool isDifference, bool colon)
{
    const int whole = std::abs(minutes);
    const QString sign = isDifference ? (minutes < 0 ? u"-"_s : u"+"_s) : QString();
    const QString hours = QString::number(whole / 60).rightJustified(2, u'0');
    const QString rest = QString::number(whole % 60).rightJustified(2, u'0');
    return sign + hours + (colon ? u":"_s : QString()) + rest;
}

void check(const FuzzText &in, bool isDifference)
{
    const TableTime read = isDifference ? readTimeDifference(in.text) : readClockTime(in.text);
    if (read.status != TableTime::Read) {
        ONDAL_FUZZ_CHECK(read.minutes == 0, describe(in.text, in.locale) + " refused with minutes");
        return;
    }
    const int lowest = isDifference ? -1439 : 0;
    ONDAL_FUZZ_CHECK(read.minutes >= lowest && read.minutes <= 1439,
                     describe(in.text, in.locale) + " read " + std::to_string(read.minutes));
    ONDAL_FUZZ_CHECK(!in.text.trimmed().isEmpty(), describe(in.text, in.locale) + " read a blank");
    for (const bool colon : {false, true}) {
        const QString again = u" "_s + printed(read.minutes, isDifference, colon) + u"\t"_s;
        const TableTime back = isDifference ? readTimeDifference(again) : readClockTime(again);
        ONDAL_FUZZ_CHECK(back.status == TableTime::Read && back.minutes == read.minutes,
                         describe(in.text, in.locale) + " read " + std::to_string(read.minutes) +
                             " but " + describe(again, in.locale) + " did not");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FuzzText in = takeFuzzText(data, size);
    check(in, false);
    check(in, true);
    return 0;
}
