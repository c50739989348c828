// Identifiers of FtpConfig's resources, shared by FtpConfig.rc and the C++ code.
#pragma once

#define IDD_FTP_CONFIG          100
#define IDI_APP                 101

#define IDC_SERVER_LABEL        40000
#define IDC_TYPE_COMBO          40001
#define IDC_USER_LABEL          40003
#define IDC_PORT_LABEL          40004
#define IDC_PORT_EDIT           40005
#define IDC_PASSWORD_LABEL      40006
#define IDC_VERSION_LABEL       40007
#define IDC_SAVE_GROUP          40008
#define IDC_SAVE_EDIT           40009
#define IDC_GENERATE            40010
#define IDC_BROWSE              40011
// Shared by the hidden URL 1 group box and, after it, the hidden "URL 1" text.
#define IDC_URL1_GROUP          40012
#define IDC_FTP_GROUP           40013
#define IDC_URL1_CHECK          40015
#define IDC_URL1_ENABLE_LABEL   40016
#define IDC_USER_EDIT           40017
#define IDC_TYPE_LABEL          40018
#define IDC_SERVER_EDIT         40019
#define IDC_PASSWORD_EDIT       40020
#define IDC_DIR_GROUP           40021
#define IDC_DIR_EDIT            40022
#define IDC_DIR_COMBO           40023
#define IDC_URL1_EDIT           40024
