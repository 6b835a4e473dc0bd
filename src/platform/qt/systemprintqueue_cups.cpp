// The queue's word through libcups: the printing system of Linux and macOS,
// and the one the toolkit's printer support hands the job to there.
#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/qt/qtext.h"
#include "platform/qt/systemprintqueue.h"
#include "text/codepage.h"

namespace orvik {

namespace {

using namespace orvik::literals;

// The print service's texts are UTF-8.
std::string fromServiceText(const char* text) {
    return text ? fromQString(QString::fromUtf8(text)) : std::string();
}

// A printer "name/instance" is the queue "name" with options of its own.
std::pair<QByteArray, QByteArray> queueAndInstance(const QString& printerName) {
    const QByteArray name = printerName.toUtf8();
    const qsizetype slash = name.indexOf('/');
    if (slash < 0)
        return {name, {}};
    return {name.left(slash), name.mid(slash + 1)};
}

// The queue's own account of its state ("printer-state-message"), which
// the destination list leaves out.
std::string stateMessage(const QByteArray& printerUri) {
    if (printerUri.isEmpty())
        return {};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    std::string message;
    if (ipp_attribute_t* attribute =
            response ? ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT) : nullptr)
        message = fromServiceText(ippGetString(attribute, 0, nullptr));
    ippDelete(response);
    return message;
}

} // namespace

SystemPrintQueue::SystemPrintQueue(QString printerName) : printerName_(std::move(printerName)) {}

std::string SystemPrintQueue::whyStopped() {
    const auto [queue, instance] = queueAndInstance(printerName_);
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return {};
    printerUri_ = cupsGetOption("printer-uri-supported", dest->num_options, dest->options);
    std::string why;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    if (state && std::atoi(state) == IPP_PSTATE_STOPPED) {
        why = "tulostin " + fromQString(printerName_) + " on pysäytetty"_cp;
        const std::string message = stateMessage(printerUri_);
        if (!message.empty())
            why += " (" + message + ")";
    }
    cupsFreeDests(1, dest);
    return why;
}

void SystemPrintQueue::noteJobs() {
    const QByteArray queue = queueAndInstance(printerName_).first;
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL);
    jobsNoted_ = count >= 0;
    newestJob_ = 0;
    for (int i = 0; i < count; ++i)
        newestJob_ = std::max(newestJob_, jobs[i].id);
    cupsFreeJobs(count, jobs);
}

std::string SystemPrintQueue::whyNotTaken(const QString& title) const {
    // The toolkit's last request was the hand-over, and it keeps the
    // answer to itself; the answer is still there to read.
    if (cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        std::string why = fromServiceText(cupsLastErrorString());
        const std::string message = stateMessage(printerUri_);
        if (!message.empty())
            why += " " + message;
        return why;
    }
    if (!jobsNoted_)
        return {};
    const QByteArray queue = queueAndInstance(printerName_).first;
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL);
    if (count < 0)
        return {}; // the print service cannot tell; the hand-over itself went well
    std::string why = "tulostusjonossa ei ole raporttia";
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id <= newestJob_ || QString::fromUtf8(jobs[i].title) != title)
            continue;
        if (jobs[i].state == IPP_JSTATE_CANCELED)
            why = "työ peruttiin"_cp;
        else if (jobs[i].state == IPP_JSTATE_ABORTED)
            why = "työ keskeytyi"_cp;
        else
            why.clear();
        break;
    }
    cupsFreeJobs(count, jobs);
    return why;
}

} // namespace orvik
