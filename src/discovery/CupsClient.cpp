#include "discovery/CupsClient.h"

#include <cups/cups.h>

namespace qm {
namespace {

constexpr int kConnectTimeoutMs = 5000;
constexpr int kAnyAddressFamily = 0; // IPv4, IPv6 or a local socket, whichever the server is
constexpr double kRequestTimeoutSeconds = 10.0;

const char* NoPassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/,
                       const char* /*resource*/, void* /*data*/) {
    return nullptr;
}

int GiveUpOnTimeout(http_t* /*http*/, void* /*data*/) {
    return 0;
}

bool Succeeded(ipp_status_t status) {
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

} // namespace

bool CupsClient::Printer::IsClass() const {
    return (type & CUPS_PRINTER_CLASS) != 0;
}

CupsClient::CupsClient() {
    cupsSetPasswordCB2(NoPassword, nullptr);
    http_ = httpConnect2(cupsServer(), ippPort(), nullptr, kAnyAddressFamily, cupsEncryption(), 1,
                         kConnectTimeoutMs, nullptr);
    if (http_) {
        httpSetTimeout(http_, kRequestTimeoutSeconds, GiveUpOnTimeout, nullptr);
    }
}

CupsClient::~CupsClient() {
    if (http_) {
        httpClose(http_);
    }
}

std::string CupsClient::PrinterUri(std::string_view name) {
    char uri[HTTP_MAX_URI];
    const std::string text(name);
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", text.c_str());
    return uri;
}

bool CupsClient::GetPrinters(std::vector<Printer>& printers) {
    printers.clear();
    if (!http_) {
        return false;
    }
    static const char* const kAttributes[] = {"printer-name", "device-uri", "printer-state",
                                              "printer-type"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(sizeof kAttributes / sizeof kAttributes[0]), nullptr,
                  kAttributes);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(http_, request, "/");
    if (!response) {
        return cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND;
    }
    const bool ok = Succeeded(ippGetStatusCode(response)) ||
                    ippGetStatusCode(response) == IPP_STATUS_ERROR_NOT_FOUND;
    Printer current;
    bool inPrinter = false;
    auto flush = [&] {
        if (inPrinter && !current.name.empty()) {
            printers.push_back(current);
        }
        current = Printer{};
        inPrinter = false;
    };
    for (ipp_attribute_t* attr = ippFirstAttribute(response); attr;
         attr = ippNextAttribute(response)) {
        const char* name = ippGetName(attr);
        if (ippGetGroupTag(attr) != IPP_TAG_PRINTER || !name) {
            flush();
            continue;
        }
        inPrinter = true;
        const std::string_view key(name);
        if (key == "printer-name" && ippGetString(attr, 0, nullptr)) {
            current.name = ippGetString(attr, 0, nullptr);
        } else if (key == "device-uri" && ippGetString(attr, 0, nullptr)) {
            current.deviceUri = ippGetString(attr, 0, nullptr);
        } else if (key == "printer-state") {
            current.state = ippGetInteger(attr, 0);
        } else if (key == "printer-type") {
            current.type = ippGetInteger(attr, 0);
        }
    }
    flush();
    ippDelete(response);
    return ok;
}

bool CupsClient::PrinterExists(std::string_view name) {
    if (!http_) {
        return false;
    }
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 PrinterUri(name).c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(http_, request, "/");
    const bool exists = response && Succeeded(ippGetStatusCode(response));
    ippDelete(response);
    return exists;
}

bool CupsClient::PrinterOperation(int operation, std::string_view name) {
    if (!http_) {
        return false;
    }
    ipp_t* request = ippNewRequest(static_cast<ipp_op_t>(operation));
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 PrinterUri(name).c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippDelete(cupsDoRequest(http_, request, "/admin/"));
    return Succeeded(cupsLastError());
}

bool CupsClient::PausePrinter(std::string_view name) {
    return PrinterOperation(IPP_OP_PAUSE_PRINTER, name);
}

bool CupsClient::ResumePrinter(std::string_view name) {
    return PrinterOperation(IPP_OP_RESUME_PRINTER, name);
}

std::string CupsClient::ErrorText() const {
    const char* text = cupsLastErrorString();
    return text ? text : ippErrorString(cupsLastError());
}

bool CupsClient::LastWasRefused() const {
    const ipp_status_t status = cupsLastError();
    return status == IPP_STATUS_ERROR_FORBIDDEN || status == IPP_STATUS_ERROR_NOT_AUTHORIZED ||
           status == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
           status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
}

} // namespace qm
