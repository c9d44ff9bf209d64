// Resource ids of the player's contact, product information and sound control dialogs.
#pragma once

#define IDD_CONTACT 131
#define IDD_PRODUCT_INFO 132
#define IDD_SOUND_CONTROL 136

// contact dialog: the six contact lines, then the web and mail links (the product dialog's links too)
#define IDC_CONTACT_LINE1 1000
#define IDC_CONTACT_LINE2 1001
#define IDC_CONTACT_LINE3 1002
#define IDC_CONTACT_LINE4 1003
#define IDC_CONTACT_LINE5 1004
#define IDC_CONTACT_LINE6 1005
#define IDC_LINK_INTERNET 1006
#define IDC_LINK_EMAIL 1007

// sound control dialog
#define IDC_VOLUME_SLIDER 1000
#define IDC_SOUND_OFF 1011
