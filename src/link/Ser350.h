#pragma once
// The serial link to the device: one process-wide port, a reader thread that frames incoming bytes
// into 188-byte packets on 0x47 / 0xB8, and the receive ring those packets wait in.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

inline constexpr const char* kLinkCaption = "QR7710-8 Multiplixer 8x1 - Corvane";

// Where link errors go: the window shows a stop-icon box with kLinkCaption (on the UI thread), the
// command line prints to stderr. May be called from the reader thread; must not block on the UI.
using LinkMessageSink = std::function<void(const std::string& text)>;
void SetLinkMessageSink(LinkMessageSink sink);

// The folder holding Config/COMn symlinks (the executable's Config folder by default).
void SetLinkConfigDir(const std::filesystem::path& configDir);

// Opens "COM<port>" (Config/COMn when that link exists, else /dev/ttyS<n-1>), starts the reader.
// 1 on success; 0 after LinkError has shown why. Called on the user-interface thread; an open link
// is closed first, so there is never more than one port and one reader.
int LinkOpen(int port);
// Opens an explicit device path under a port name used in messages (the command line's --device).
int LinkOpenDevice(const std::filesystem::path& device, const std::string& portName);
// Stops the reader and closes the port. On the user-interface thread it waits for the reader to
// end first, so no read runs on a closed descriptor; on the reader thread it only stops and closes.
void LinkClose();
int LinkIsConnected();
void LinkSendPacket(const uint8_t* packet);  // 188 bytes
int LinkTakePacket(uint8_t* destination);    // 188 bytes; 0 when the ring is empty
// Packets the reader framed while the receive ring was full (they were dropped), since start-up.
uint32_t LinkDroppedPackets();
// The locked primitives with reconnect: bytes moved, 0 on any failure or reconnect. A read of n
// bytes returns after at most 50 + n ms with what arrived; a write of n bytes gives up after n ms.
int LinkReadBytes(uint8_t* buffer, int count);  // reader thread only
int LinkWriteBytes(const uint8_t* buffer, int count);
// Closes the link, then hands `text` to the message sink.
void LinkError(const std::string& text);
