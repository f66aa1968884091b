// Resource ids of the setup support library.
#ifndef ZORVI_RESOURCE_H
#define ZORVI_RESOURCE_H

#define IDS_IP_FIELD_RANGE        30   // the address control's value message
#define IDS_IP_FIELD_CAPTION      31

#endif
