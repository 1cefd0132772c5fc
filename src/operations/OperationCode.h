#pragma once

namespace qm {

// What a printer or file operation ends with: 0, or the code of one of the program's numbered
// messages ("code : 30\r\nOpen port error." ...). The window shows the message of the code, the
// command line prints it and turns it into an exit status.
enum OperationCode : int {
    kOperationOk = 0,
    kCodeImportFailed = 20,      // "code : 20\r\nImport error. Please check the file."
    kCodeExportFailed = 22,      // "code : 22\r\nExport error."
    kCodeInvalidItems = 23,      // "code : 23\r\nError. Please check the item(s) in red."
    kCodeNothingTicked = 24,     // "code : 24\r\nPlease select item(s) to configure."
    kCodeOpenFailed = 30,        // "code : 30\r\nOpen port error."
    kCodeTransferFailed = 31,    // "code : 31\r\nData transfer error."
    kCodeAcquisitionFailed = 32, // "code : 32\r\nAcquisition data has an error."
    kCodeNoInterface = 40,       // "code : 40\r\nPlease choose the interface."
    kCodeFileOpenFailed = 80,    // "code : 80\r\nFile Open error. ..." then the code 81 message
    kCodeFileReadFailed = 81,    // "code : 81\r\nFile Read error. Please check the file."
};

} // namespace qm
