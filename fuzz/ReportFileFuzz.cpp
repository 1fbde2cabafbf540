// Feeds arbitrary bytes to the report-file reader. Whatever it accepts must write back and read
// again as the very same pages; anything else must end in a ReportFileError. The checksum of a
// current-version file is made to match its mutated content, so that the fuzzer reaches the
// reader behind it instead of stopping there.
#include "report/ReportFile.h"

#include <QtGlobal>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The image decoders' warnings about broken pictures would only slow the run down.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString name = QStringLiteral("fuzz.qrp");
    try {
        QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
        report::reportfile::refreshChecksum(bytes);
        const report::PreparedPages pages = report::decodeReportFile(bytes, name);
        const report::PreparedPages again =
            report::decodeReportFile(report::encodeReportFile(pages, name), name);
        if (!(again == pages))
            std::abort();
    } catch (const report::ReportFileError&) {
    }
    return 0;
}
