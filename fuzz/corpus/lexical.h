/* comment */ # /* c */ define C 1
C ??= ??( ??) <: :> <% %> %:
ABC??/
DE "str??/
ing"
split\
line // c \
 more
"unterminated
