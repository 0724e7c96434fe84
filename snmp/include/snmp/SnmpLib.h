// Every public class and call of the SNMP layer.
#pragma once

#include "snmp/Address.h"
#include "snmp/BootCounter.h"
#include "snmp/Counter64.h"
#include "snmp/Integer.h"
#include "snmp/OctetStr.h"
#include "snmp/Oid.h"
#include "snmp/Pdu.h"
#include "snmp/Snmp.h"
#include "snmp/SnmpConstants.h"
#include "snmp/SnmpSyntax.h"
#include "snmp/Target.h"
#include "snmp/TimeTicks.h"
#include "snmp/Usm.h"
#include "snmp/Vb.h"
