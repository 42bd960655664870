#pragma once
// One datagram's msghdr for recvmsg/sendmsg with room for an IP_PKTINFO control message: on
// arrival it tells the interface and the address the datagram came in on; on departure it names
// the interface or the source address to send from. Shared by the engine's socket and the
// simulator's port, which both need to know and choose the interface of each datagram.
#include <cstdint>
#include <cstring>
#include <netinet/in.h>
#include <optional>
#include <span>
#include <sys/socket.h>
#include <sys/uio.h>

class PktinfoMessage
{
public:
    // iovec's pointer is not const: a receive writes into the caller's buffer, a send never does.
    PktinfoMessage(sockaddr_in& peer, std::span<const uint8_t> bytes)
        : part_{const_cast<uint8_t*>(bytes.data()), bytes.size()}
    {
        header_.msg_name = &peer;
        header_.msg_namelen = sizeof peer;
        header_.msg_iov = &part_;
        header_.msg_iovlen = 1;
    }
    PktinfoMessage(const PktinfoMessage&) = delete;
    PktinfoMessage& operator=(const PktinfoMessage&) = delete;

    // Room for the control message a receive fills in.
    msghdr& ForReceive()
    {
        header_.msg_control = control_;
        header_.msg_controllen = sizeof control_;
        return header_;
    }

    // Sends through `interfaceIndex` and/or from `source` (network order); with neither, the
    // routing table chooses and no control message goes out.
    msghdr& ForSend(uint32_t interfaceIndex, uint32_t source)
    {
        if (interfaceIndex == 0 && source == 0)
            return header_;
        header_.msg_control = control_;
        header_.msg_controllen = sizeof control_;
        cmsghdr* item = CMSG_FIRSTHDR(&header_);
        item->cmsg_level = IPPROTO_IP;
        item->cmsg_type = IP_PKTINFO;
        item->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info{};
        info.ipi_ifindex = static_cast<int>(interfaceIndex);
        info.ipi_spec_dst.s_addr = source;
        std::memcpy(CMSG_DATA(item), &info, sizeof info);
        return header_;
    }

    // The IP_PKTINFO a receive brought, if any.
    std::optional<in_pktinfo> Arrival()
    {
        for (cmsghdr* item = CMSG_FIRSTHDR(&header_); item != nullptr; item = CMSG_NXTHDR(&header_, item)) {
            if (item->cmsg_level == IPPROTO_IP && item->cmsg_type == IP_PKTINFO) {
                in_pktinfo info{};
                std::memcpy(&info, CMSG_DATA(item), sizeof info);
                return info;
            }
        }
        return std::nullopt;
    }

private:
    iovec part_;
    msghdr header_{};
    alignas(cmsghdr) char control_[CMSG_SPACE(sizeof(in_pktinfo))] = {};
};
