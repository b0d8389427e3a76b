#include "link/write_job.h"

#include "document/radio_document.h"
#include "image/write_image.h"
#include "link/write_transfer.h"

WriteJob::WriteJob(SerialPort& port, const LinkTimings& timings, QObject* parent)
    : TransferJob(port, parent), timings_(timings) {}

FrequencyCheck WriteJob::check(const RadioDocument& document) {
    return ValidateFrequencies(document.table(), document.model().band);
}

Error WriteJob::prepare(const RadioDocument& document) {
    if (const Error e = buildWriteImage(document.model(), document.table(), document.settings(), &image_);
        e.isError())
        return e;
    setMachine(std::make_unique<WriteTransfer>(image_, document.model().strType,
                                               TransferMachine::Options{timings_}));
    return Error::none();
}
