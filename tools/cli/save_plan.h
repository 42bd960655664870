#pragma once
// The order of a run's saves, planned before anything is sent. A row may give its camera a fixed
// address that another found camera holds only when that camera's own row moves it away: that
// row is saved first, and when its save fails (or its login is wrong, so it is never sent) the
// taker is skipped, so that two cameras never end up on one address. An address another camera
// keeps or this computer holds refuses the run, and so do rows that take each other's addresses
// in a cycle: whichever went first would land on an address still in use.
#include "camera_save.h"
#include "cli_options.h"
#include "cli_session.h"

#include <functional>
#include <string>
#include <vector>

enum class PlanStatus
{
    Ok,
    AddressInUse, // a row's fixed address is kept by another device
    Cycle         // rows take each other's addresses
};

struct PlannedRow
{
    bool send = false; // found, the login matches and the values apply
    CameraSave result; // the row's result when it is not sent
    Ipv4Address takes{};
    // Rows whose cameras must leave `takes` before this row is saved.
    std::vector<size_t> after;
};

struct SavePlan
{
    PlanStatus status = PlanStatus::Ok;
    std::string clash;            // AddressInUse: "10.77.0.3 is used by Garden, 02:ca:00:00:00:02"
    std::vector<size_t> culprits; // AddressInUse: the row; Cycle: one cycle's rows, ascending
    std::vector<PlannedRow> rows; // in the rows' order
    std::vector<size_t> order;    // the rows to send, in sending order
};

// Plans `rows` against the search's cameras and this computer's addresses `own`.
SavePlan PlanSaves(const FoundCameraList& found, const std::vector<CliOptions>& rows,
                   const std::vector<Ipv4Address>& own);

// Sends the planned saves and returns every row's result in the rows' order; `done` is called
// with each result as soon as the results of all rows before it are known, in the rows' order.
std::vector<CameraSave> RunSavePlan(CliSession& session, const std::vector<CliOptions>& rows,
                                    const SavePlan& plan, const std::function<void(const CameraSave&)>& done);
