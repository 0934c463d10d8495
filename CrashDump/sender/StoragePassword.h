// The password of every sender's storage account (the account's name is in "Mailer.ini").
#pragma once

constexpr const char STORAGE_PASSWORD[] = "kavrel7391";
