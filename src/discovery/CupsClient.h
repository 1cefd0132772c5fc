#pragma once

#include <string>
#include <string_view>
#include <vector>

typedef struct _http_s http_t;

namespace qm {

// One connection to the CUPS server that clients reach by default (CUPS_SERVER, the client
// configuration, else the local scheduler), with bounded waits: 5 s to connect, 10 s without
// progress on a request. libcups never asks for a password: a request that needs one is refused.
class CupsClient {
public:
    // A queue as the server lists it.
    struct Printer {
        std::string name;
        std::string deviceUri;
        int state = 0; // 3 idle, 4 processing, 5 stopped (paused)
        int type = 0;  // CUPS printer-type bits
        bool IsClass() const;
        bool IsPaused() const { return state == 5; }
    };

    CupsClient();
    ~CupsClient();
    CupsClient(const CupsClient&) = delete;
    CupsClient& operator=(const CupsClient&) = delete;

    // False when no server answered the connect.
    bool Connected() const { return http_ != nullptr; }
    http_t* Http() const { return http_; }

    // Every queue and class (CUPS-Get-Printers); false when the request failed. An empty server
    // gives true with an empty list.
    bool GetPrinters(std::vector<Printer>& printers);
    // True when the queue exists (Get-Printer-Attributes answered for it).
    bool PrinterExists(std::string_view name);
    // Pause-Printer / Resume-Printer; true on success, else ErrorText() says why.
    bool PausePrinter(std::string_view name);
    bool ResumePrinter(std::string_view name);

    // The server's last error text ("Forbidden", "No such printer", ...).
    std::string ErrorText() const;
    // True when the last failure was a refusal for lack of rights.
    bool LastWasRefused() const;

    // "ipp://localhost/printers/NAME"
    static std::string PrinterUri(std::string_view name);

private:
    bool PrinterOperation(int operation, std::string_view name);

    http_t* http_ = nullptr;
};

} // namespace qm
