# SPDX-License-Identifier: MIT
# The seller's contact data. Every value can be set at configure time, for example
#   cmake -DSELLER_SITE=shop.example.org ...
# The defaults are neutral placeholders, not a real company.
set(SELLER_SHOP_NAME "Ведрамо" CACHE STRING "Shop name shown in the welcome text")
set(SELLER_SITE "vedramo.example" CACHE STRING "Web site host name, without scheme")
set(SELLER_MAIL_PUBLIC "vedramo@mail.example" CACHE STRING "Mail address at a public mail service")
set(SELLER_MAIL_SALES "sales@vedramo.example" CACHE STRING "Sales mail address at the shop's own domain")
set(SELLER_PHONE "+7 (000) 000-00-00" CACHE STRING "Phone number")
set(SELLER_ADDRESS "000000, г. Москва, ул. Примерная, д. 0, стр. 0" CACHE STRING "Postal address")
set(SELLER_COMPANY "ООО «Ведрамо» (образец)" CACHE STRING "Legal name for the letterhead")
set(SELLER_LEGAL "ИНН 0000000000, КПП 000000000, ОГРН 0000000000000" CACHE STRING "Legal details for the letterhead")
set(SELLER_BANK "р/с 00000000000000000000 в АО «Банк-образец», БИК 000000000" CACHE STRING "Bank details for the letterhead")
