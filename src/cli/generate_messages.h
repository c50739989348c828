// The English messages of the dialog's Generate command, which ftpcfg make
// reports in the same situations. A console has no use for the dialog's
// "\r\n" (or the lone "\r" of the user message): each becomes a line break.
#pragma once

#define GENERATE_FAILED "Generate failed!"
#define GENERATE_NO_SERVER "Please enter FTP server."
#define GENERATE_NO_PORT "Please enter FTP port."
#define GENERATE_PORT_RANGE "Port cannot be greater than 65535."
#define GENERATE_NO_USER "FTP account error!"
#define GENERATE_NO_PASSWORD "Please enter FTP password."
#define GENERATE_SAVE_FAILED "Failed to generate configuration file!"
#define GENERATE_SAVE_OK "Generate Success!"
