#pragma once

// Everything that turns what the user composed into PDU text.

#include "Bitmap.h"
#include "ContentFile.h"
#include "EmsPdu.h"
#include "Gsm7.h"
#include "IndicatorPdu.h"
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
