#include "link/fleet_record.h"

FleetRecord FleetRecord::of(const WriteSequence& write, bool verify) {
    using V = WriteSequence::Verdict;
    FleetRecord r;
    r.result = write.result();
    r.report = write.report();
    const WriteSequence::Models& m = r.report.models;
    r.model = m.radioCode.isEmpty() ? m.documentModel : m.radioModel.isEmpty() ? m.radioCode : m.radioModel;
    r.check = verify ? FleetRecord::Check::NotReached : FleetRecord::Check::NotAsked;
    switch (r.report.verdict) {
    case V::Written:
        r.outcome = Outcome::Succeeded;
        break;
    case V::Verified:
        r.outcome = Outcome::Succeeded;
        r.check = Check::Same;
        break;
    case V::Differs:
        r.outcome = Outcome::Differs;
        r.check = Check::Differs;
        break;
    case V::VerifyFailed:
        // The read-back is what failed or was stopped; the write itself completed.
        r.result = r.report.verifyResult;
        r.outcome =
            r.result.outcome == TransferResult::Outcome::Cancelled ? Outcome::Stopped : Outcome::Failed;
        r.check = Check::Failed;
        break;
    case V::OtherModel:
        r.outcome = Outcome::OtherModel;
        break;
    case V::Pending:
    case V::PreReadFailed:
    case V::WriteFailed:
        r.outcome =
            r.result.outcome == TransferResult::Outcome::Cancelled ? Outcome::Stopped : Outcome::Failed;
        break;
    }
    return r;
}
