#pragma once

// What the library RX40dApp_x64 exports; everything else in it stays hidden.
#if defined(RX40DAPP_BUILDING)
#define RX40DAPP_API __attribute__((visibility("default")))
#else
#define RX40DAPP_API
#endif
