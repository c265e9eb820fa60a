#pragma once

#include <QString>

#include "platform/HttpClient.h"

class Controls;
struct Session;
struct DrawPageLine;

// A GET of the address through the proxy of page "Internet-Optionen" (ProxyHostEdit, ProxyPortEdit).
HttpRequest requestThroughProxy(const Controls& controls, const QString& url);

// "Rudazevovor aus dem Internet laden" (Button1): fetches the page of URLEdit (through the proxy of
// ProxyHostEdit:ProxyPortEdit when a host is set) into the file of FileNameEdit, reads the latest
// Wednesday and Saturday draw out of it into the CurrentDraw and the labels of page "Zahlen der letzten
// Ziehung", and checks tips 1 to 6 against each. An HTTP failure only shows in the status text; any
// other failure is thrown as AppError after the file has been parsed.
void loadLatestDraws(Session& session, HttpClient& http);

// Parses a downloaded draw page file line by line into the CurrentDraw and the labels. Throws AppError
// when a date or number does not convert; what was shown before it stands.
void parseDrawPageFile(Session& session, const QString& fileName);

// One parsed line applied to the CurrentDraw and, for a Wednesday or Saturday, to the labels.
void applyDrawPageLine(Session& session, const DrawPageLine& line);
