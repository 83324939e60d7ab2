#pragma once

// Everything that turns what the user composed into PDU text.
//
// How this layer fails: every builder, reader, check and writer returns a
// Result<T> (Result.h) holding the value or the reason, worded for the user;
// nothing here throws across its interface, shows anything or keeps global
// state. A caller that must act on more than the words gets a richer reason
// (a Refusal names the field, a FileRefusal whether the file was missing).

#include "Bitmap.h"
#include "ContentFile.h"
#include "EmsPdu.h"
#include "Gsm7.h"
#include "IndicatorPdu.h"
#include "LongText.h"
#include "MessageRequest.h"
#include "NetworkTable.h"
#include "Preview.h"
#include "Primitives.h"
#include "Result.h"
#include "Ringtone.h"
#include "SmartPdu.h"
#include "SmsSubmit.h"
#include "Strings.h"
#include "TextPdu.h"
