// For tests and fuzz targets that answer a session's requests with messages
// recorded earlier, fed to its socket as an agent would send them. A reply
// matches its request by request id (and, under version 3, by message id
// too, which the message's authentication covers), so the requests must
// carry the ids of the recording.
#pragma once

// While set (both non-zero), every transmission of every session carries
// this request id and message id; 0, 0 lets the library choose again.
void SetReplayIds(int request_id, int message_id);

// Forgets the boots and time learnt of every agent's engine, so that a
// recorded exchange is judged as it was when first received.
void ForgetEngineTimes();
